// The game's state machine: the Start command, the two timers' ticks and left clicks.
// Effects on the window go through gamePlatform.
#pragma once

#include "core/board.h"
#include "core/game_state.h"

#include <cstdint>

void startGame();
void onPhaseTimer();
void onFeedbackTimer();
// Client coordinates, the two unsigned 16-bit halves of the click's coordinate word.
void onClick(uint32_t x, uint32_t y);
// Sets the state of every cell of the current problem.
void setCellStates(CellState state);

// The limits of the play parameters. The settings keep whatever number was typed, but the game
// only has ten problems of ten cells and needs a positive timer period that fits in 32 bits.
// The derivation of the play parameters applies them; the game applies the two that index its
// problems again where it indexes, so no play parameter can ever reach past the problem set.
int32_t limitedCells(int32_t symbolCount);  // 1..10
int32_t limitedProblems(int32_t tryCount);  // 1..10
int32_t limitedShowMillis(int32_t seconds); // seconds limited to 1..2,147,483, times 1000
// The current problem, or null when problemIndex is outside the ten problems.
const Problem* currentProblem(const GameState& state);
