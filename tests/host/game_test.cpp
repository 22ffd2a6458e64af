#include "core/game.h"
#include "core/game_state.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

namespace {

// Logs every effect the game asks of its window.
class Recorder final : public GamePlatform {
  public:
    std::vector<std::string> calls;
    void setTimer(int32_t id, int32_t millis) override {
        EXPECT_GT(millis, 0) << "timer " << id;
        calls.push_back("set " + std::to_string(id) + " " + std::to_string(millis));
    }
    void killTimer(int32_t id) override { calls.push_back("kill " + std::to_string(id)); }
    void repaintNow() override { calls.push_back("repaint"); }
    void openEvaluation() override {
        calls.push_back("evaluate in phase " +
                        std::to_string(static_cast<int32_t>(gameState.phase)));
    }
    int64_t calendarSeconds() override { return 1234567890; }
    std::vector<std::string> take() { return std::exchange(calls, {}); }
};

class GameTest : public ::testing::Test {
  protected:
    Recorder recorder;
    void SetUp() override {
        resetGameState();
        gamePlatform = &recorder;
    }
    void TearDown() override { resetGameState(); }
};

void setPlayParameters(int32_t symbols, int32_t millis, int32_t tries) {
    gameState.symbolCount = symbols;
    gameState.showMillis = millis;
    gameState.tryCount = tries;
}

Cell& cellOf(int32_t i) {
    return gameState.problems.problems[gameState.problemIndex].cells[i];
}

void clickCell(int32_t i) {
    const Cell& cell = cellOf(i);
    onClick(static_cast<uint32_t>(cell.column * 32 + 16),
            static_cast<uint32_t>(cell.row * 32 + 56));
}

// A square on the board that no cell of the current problem uses.
void clickEmptySquare() {
    for (int32_t row = 0; row < BoardRows; ++row) {
        for (int32_t column = 0; column < BoardColumns; ++column) {
            bool used = false;
            for (const Cell& cell : gameState.problems.problems[gameState.problemIndex].cells) {
                used = used || (cell.column == column && cell.row == row);
            }
            if (!used) {
                onClick(static_cast<uint32_t>(column * 32), static_cast<uint32_t>(row * 32 + 40));
                return;
            }
        }
    }
}

struct Parameters {
    int32_t symbols, millis, tries;
};

Parameters changedParameters; // what the "new play parameters" event applies

struct Event {
    const char* name;
    void (*apply)();
};

const Event Start{"start", startGame};
const Event Phase{"phase tick", onPhaseTimer};
const Event Hold{"feedback tick", onFeedbackTimer};
const Event Target{"click target", [] { clickCell(0); }};
const Event First{"click distractor 1", [] { clickCell(1); }};
const Event Second{"click distractor 2", [] { clickCell(2); }};
const Event Empty{"click empty square", clickEmptySquare};
const Event Change{"new play parameters", [] {
                       setPlayParameters(changedParameters.symbols, changedParameters.millis,
                                         changedParameters.tries);
                   }};

struct Step {
    Event event;
    GamePhase phase;
    Feedback feedback;
    int32_t problemIndex;
    int32_t missCount;
    std::vector<std::string> calls;
};

struct Scenario {
    const char* name;
    Parameters start;
    std::vector<Step> steps;
    Parameters change;
};

using P = GamePhase;
using F = Feedback;
const std::string Repaint = "repaint";
const std::string SetHold = "set 2 2000";
const std::string KillHold = "kill 2";
const std::string SetCovered = "set 1 1000";
const std::string Evaluate = "evaluate in phase 0";
// A start: the stale hold goes, the board is shown, then the display time runs.
const std::vector<std::string> Started = {KillHold, Repaint, "set 1 3000"};

const Step startUntilAsked[] = {
    {Start, P::Showing, F::None, 0, 0, Started},
    {Phase, P::Covered, F::None, 0, 0, {SetCovered, Repaint}},
    {Phase, P::Answering, F::Ask, 0, 0, {Repaint}},
};

// Started with three symbols for three seconds and asked; then rest.
Scenario asked(const char* name, int32_t tries, std::vector<Step> rest, Parameters change = {}) {
    Scenario scenario{
        name, {3, 3000, tries}, {std::begin(startUntilAsked), std::end(startUntilAsked)}, change};
    scenario.steps.insert(scenario.steps.end(), rest.begin(), rest.end());
    return scenario;
}

} // namespace

TEST_F(GameTest, EventSequences) {
    const Scenario scenarios[] = {
        asked("whole game of two problems", 2,
              {
                  {Empty, P::Answering, F::Ask, 0, 0, {}},
                  {Target, P::Answering, F::Correct, 0, 0, {SetHold}},
                  {Hold, P::Interval, F::None, 1, 0, {KillHold}},
                  {Target, P::Interval, F::None, 1, 0, {}},
                  {Phase, P::Showing, F::None, 1, 0, {"set 1 3000", Repaint}},
                  {Phase, P::Covered, F::None, 1, 0, {SetCovered, Repaint}},
                  {Phase, P::Answering, F::Ask, 1, 0, {Repaint}},
                  {Target, P::Answering, F::Correct, 1, 0, {SetHold}},
                  {Hold, P::Idle, F::None, 2, 0, {KillHold, Evaluate}},
                  {Phase, P::Idle, F::None, 2, 0, {"kill 1", Repaint}},
                  {Target, P::Idle, F::None, 2, 0, {}},
              }),
        asked("misses, and a repeated click on a red box", 1,
              {
                  {First, P::Answering, F::Wrong, 0, 1, {SetHold}},
                  {First, P::Answering, F::Wrong, 0, 1, {}},
                  {Hold, P::Answering, F::None, 0, 1, {KillHold}},
                  {First, P::Answering, F::None, 0, 1, {}},
                  {Phase, P::Answering, F::None, 0, 1, {Repaint}},
                  {Second, P::Answering, F::Wrong, 0, 2, {SetHold}},
                  {Target, P::Answering, F::Correct, 0, 2, {SetHold}},
                  {Hold, P::Idle, F::None, 1, 2, {KillHold, Evaluate}},
              }),
        asked("a miss during the correct hold keeps the problem", 2,
              {
                  {Target, P::Answering, F::Correct, 0, 0, {SetHold}},
                  {First, P::Answering, F::Wrong, 0, 1, {SetHold}},
                  {Hold, P::Answering, F::None, 0, 1, {KillHold}},
                  {Target, P::Answering, F::Correct, 0, 1, {SetHold}},
                  {Hold, P::Interval, F::None, 1, 1, {KillHold}},
              }),
        asked("a second click on the green target restarts the hold", 2,
              {
                  {Target, P::Answering, F::Correct, 0, 0, {SetHold}},
                  {Target, P::Answering, F::Correct, 0, 0, {SetHold}},
                  {Hold, P::Interval, F::None, 1, 0, {KillHold}},
              }),
        asked("ticks while answering only repaint", 1,
              {
                  {Phase, P::Answering, F::Ask, 0, 0, {Repaint}},
                  {Phase, P::Answering, F::Ask, 0, 0, {Repaint}},
              }),
        asked("a start during the correct hold plays the new first problem", 1,
              {
                  {Target, P::Answering, F::Correct, 0, 0, {SetHold}},
                  {Start, P::Showing, F::None, 0, 0, Started},
                  // A tick already queued when the hold was killed finds nothing to end.
                  {Hold, P::Showing, F::None, 0, 0, {KillHold}},
                  {Phase, P::Covered, F::None, 0, 0, {SetCovered, Repaint}},
                  {Phase, P::Answering, F::Ask, 0, 0, {Repaint}},
              }),
        asked("a start during the wrong hold covers and asks again", 2,
              {
                  {First, P::Answering, F::Wrong, 0, 1, {SetHold}},
                  {Start, P::Showing, F::None, 0, 0, Started},
                  {Hold, P::Showing, F::None, 0, 0, {KillHold}},
                  {Phase, P::Covered, F::None, 0, 0, {SetCovered, Repaint}},
                  {Phase, P::Answering, F::Ask, 0, 0, {Repaint}},
              }),
        {"play parameters changed while showing",
         {3, 3000, 3},
         {
             {Start, P::Showing, F::None, 0, 0, Started},
             {Change, P::Showing, F::None, 0, 0, {}},
             {Phase, P::Covered, F::None, 0, 0, {SetCovered, Repaint}},
             {Phase, P::Answering, F::Ask, 0, 0, {Repaint}},
             {Target, P::Answering, F::Correct, 0, 0, {SetHold}},
             {Hold, P::Idle, F::None, 1, 0, {KillHold, Evaluate}},
         },
         {5, 2000, 1}},
        asked("play parameters changed between problems", 3,
              {
                  {Target, P::Answering, F::Correct, 0, 0, {SetHold}},
                  {Hold, P::Interval, F::None, 1, 0, {KillHold}},
                  {Change, P::Interval, F::None, 1, 0, {}},
                  {Phase, P::Showing, F::None, 1, 0, {"set 1 5000", Repaint}},
              },
              {3, 5000, 3}),
    };
    for (const Scenario& scenario : scenarios) {
        resetGameState();
        gamePlatform = &recorder;
        recorder.calls.clear();
        setPlayParameters(scenario.start.symbols, scenario.start.millis, scenario.start.tries);
        changedParameters = scenario.change;
        for (size_t s = 0; s < scenario.steps.size(); ++s) {
            const Step& step = scenario.steps[s];
            SCOPED_TRACE(::testing::Message()
                         << scenario.name << ", step " << s << ": " << step.event.name);
            step.event.apply();
            EXPECT_EQ(gameState.phase, step.phase);
            EXPECT_EQ(gameState.feedback, step.feedback);
            EXPECT_EQ(gameState.problemIndex, step.problemIndex);
            EXPECT_EQ(gameState.missCount, step.missCount);
            EXPECT_EQ(recorder.take(), step.calls);
        }
    }
}

TEST_F(GameTest, CellStatesAndScoreBasisThroughAProblem) {
    setPlayParameters(3, 3000, 2);
    gameState.scoreBasis = ScoreBasis{7, 7, 7};
    startGame();
    EXPECT_EQ(gameState.scoreBasis.solved, 7) << "a start leaves the score basis";
    onPhaseTimer();
    for (int32_t i = 0; i < CellsPerProblem; ++i) {
        EXPECT_EQ(cellOf(i).state, i < 3 ? CellState::Hidden : CellState::Visible) << "cell " << i;
    }
    onPhaseTimer();
    clickCell(1);
    clickCell(0);
    const CellState uncovered[] = {CellState::Found, CellState::WrongPick, CellState::Visible};
    for (int32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(cellOf(i).state, uncovered[i]) << "cell " << i;
    }
    EXPECT_EQ(gameState.scoreBasis.symbols, 3);
    EXPECT_EQ(gameState.scoreBasis.seconds, 3);
    EXPECT_EQ(gameState.scoreBasis.solved, 1);

    onFeedbackTimer();
    gameState.symbolCount = 5; // changed in the settings between problems
    for (int tick = 0; tick < 3; ++tick) {
        onPhaseTimer();
    }
    for (int32_t i = 0; i < CellsPerProblem; ++i) {
        EXPECT_EQ(cellOf(i).state, i < 5 ? CellState::Hidden : CellState::Visible) << "cell " << i;
    }
    clickCell(4); // a cell beyond the three the game started with now counts
    EXPECT_EQ(gameState.missCount, 2);
    clickCell(0);
    EXPECT_EQ(gameState.scoreBasis.symbols, 5);
    EXPECT_EQ(gameState.scoreBasis.solved, 2);
}

// Values the settings file or the dialogs can hold; the game plays them within its ten problems
// of ten cells and never sets a timer of 0 ms or less (the recorder checks every period).
TEST_F(GameTest, OutOfRangePlayParametersAreLimited) {
    const struct {
        Parameters given;
        int32_t cells, millis, problems;
    } cases[] = {
        {{0, 0, 0}, 1, 1000, 1},
        {{-5, -3000, -1}, 1, 1000, 1},
        {{11, 500, 11}, 10, 500, 10},
        {{INT32_MAX, INT32_MIN, INT32_MAX}, 10, 1000, 10},
        {{INT32_MIN, INT32_MAX, INT32_MIN}, 1, INT32_MAX, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "symbols " << c.given.symbols << ", millis "
                                          << c.given.millis << ", tries " << c.given.tries);
        resetGameState();
        gamePlatform = &recorder;
        setPlayParameters(c.given.symbols, c.given.millis, c.given.tries);
        startGame();
        EXPECT_EQ(recorder.calls.back(), "set 1 " + std::to_string(c.millis));
        int32_t played = 0;
        while (gameState.phase != GamePhase::Idle && played <= ProblemCount) {
            onPhaseTimer();
            onPhaseTimer();
            int32_t hidden = 0;
            for (const Cell& cell : gameState.problems.problems[gameState.problemIndex].cells) {
                hidden += cell.state == CellState::Hidden ? 1 : 0;
            }
            EXPECT_EQ(hidden, c.cells);
            clickCell(c.cells - 1);
            clickCell(0);
            ASSERT_EQ(gameState.feedback, Feedback::Correct);
            onFeedbackTimer();
            onPhaseTimer();
            ++played;
        }
        EXPECT_EQ(played, c.problems);
        EXPECT_EQ(gameState.problemIndex, c.problems);
        EXPECT_EQ(gameState.scoreBasis.symbols, c.cells);
        EXPECT_EQ(gameState.scoreBasis.seconds, c.millis / 1000);
        EXPECT_EQ(gameState.missCount, c.cells > 1 ? c.problems : 0);
        recorder.calls.clear();
    }
}

// A problemIndex outside the ten problems has no cells: events there touch nothing.
TEST_F(GameTest, ProblemIndexOutsideTheProblemsIsSafe) {
    setPlayParameters(10, 1000, 10);
    const int32_t indexes[] = {10, -1, INT32_MAX, INT32_MIN};
    for (int32_t index : indexes) {
        SCOPED_TRACE(::testing::Message() << "problemIndex " << index);
        gameState.problemIndex = index;
        gameState.phase = GamePhase::Showing;
        onPhaseTimer(); // covers the current problem's cells
        EXPECT_EQ(gameState.phase, GamePhase::Covered);
        gameState.phase = GamePhase::Answering;
        for (uint32_t y = 0; y < 520; y += 8) {
            for (uint32_t x = 0; x < 640; x += 8) {
                onClick(x, y);
            }
        }
        EXPECT_EQ(gameState.missCount, 0);
        setCellStates(CellState::Hidden);
        // A correct hold still ends the game rather than running the index past its range.
        gameState.feedback = Feedback::Correct;
        recorder.calls.clear();
        onFeedbackTimer();
        EXPECT_EQ(gameState.phase, index < 0 ? GamePhase::Interval : GamePhase::Idle);
        EXPECT_EQ(gameState.problemIndex, index < 0 ? index + 1 : ProblemCount);
    }
    EXPECT_EQ(gameState.missCount, 0);
}

TEST_F(GameTest, ClicksHitOnlyInsideTheSquare) {
    setPlayParameters(3, 3000, 1);
    const struct {
        int64_t dx, dy;
        bool hit;
    } cases[] = {
        {0, 0, true},   {31, 0, true},   {0, 31, true},   {31, 31, true},
        {16, 16, true}, {-1, 0, false},  {0, -1, false},  {32, 0, false},
        {0, 32, false}, {32, 32, false}, {-1, 31, false}, {31, -1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "offset " << c.dx << ", " << c.dy);
        startGame();
        onPhaseTimer();
        onPhaseTimer();
        const Cell& target = cellOf(0);
        const int64_t x = target.column * 32 + c.dx;
        const int64_t y = target.row * 32 + 40 + c.dy;
        if (x < 0 || y < 0) {
            continue; // the target lies on the board's edge
        }
        onClick(static_cast<uint32_t>(x), static_cast<uint32_t>(y));
        EXPECT_EQ(gameState.feedback, c.hit ? Feedback::Correct : Feedback::Ask);
    }
    // Coordinates beyond the client area hit nothing.
    const uint32_t far[][2] = {{65535, 65535}, {UINT32_MAX, UINT32_MAX}, {0, 0}, {639, 39}};
    startGame();
    onPhaseTimer();
    onPhaseTimer();
    for (const auto& point : far) {
        onClick(point[0], point[1]);
        EXPECT_EQ(gameState.feedback, Feedback::Ask) << point[0] << ", " << point[1];
    }
}
