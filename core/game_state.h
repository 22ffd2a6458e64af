// Everything the game core keeps for the whole run lives here.
#pragma once

#include "core/board.h"

#include <cstdint>

enum class GamePhase : int32_t { Idle = 0, Showing = 1, Covered = 2, Answering = 3, Interval = 4 };

// Selects the message line under the board.
enum class Feedback : int32_t { None = 0, Ask = 1, Correct = 2, Wrong = 3 };

// Timer ids; both timers belong to the main window.
constexpr int32_t PhaseTimer = 1;
constexpr int32_t FeedbackTimer = 2;

struct ScoreBasis {
    int32_t symbols;
    int32_t seconds;
    int32_t solved;
};

// The keyboard's box on the board (see core/keyboard.h): shown once a key has been used, and the
// place it was last put.
struct KeyboardBox {
    bool shown;
    BoardPlace place;
};

struct GameState {
    GamePhase phase;
    Feedback feedback;
    int32_t problemIndex;
    int32_t missCount;
    // Play parameters, written only when they are derived from the chosen grade.
    int32_t symbolCount;
    int32_t showMillis;
    int32_t tryCount;
    ScoreBasis scoreBasis;
    ProblemSet problems;
};

// What the game asks of the window it runs in. The Win32 shell binds the real one; tests bind
// a recorder.
class GamePlatform {
  public:
    virtual void setTimer(int32_t id, int32_t millis) = 0;
    virtual void killTimer(int32_t id) = 0;
    virtual void repaintNow() = 0;
    virtual void openEvaluation() = 0;
    // Calendar time in whole seconds since 1970; seeds the problem generator. The clock of the
    // C library unless a test needs a fixed one.
    virtual int64_t calendarSeconds();

  protected:
    ~GamePlatform() = default;
};

extern GameState gameState;
extern KeyboardBox keyboardBox;
extern GamePlatform* gamePlatform; // never null: a do-nothing platform until one is bound

// Back to the start-of-run values: Idle, no feedback, everything zero, no box shown, the random
// source's state 0, no platform bound.
void resetGameState();
