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

// The play parameters as the game plays them. The settings keep whatever number was typed, but
// the game only has ten problems of ten cells and needs a positive timer period.
int32_t limitedCells(int32_t symbolCount);      // 1..10
int32_t limitedProblems(int32_t tryCount);      // 1..10
int32_t cellsInPlay(const GameState& state);    // symbolCount limited to 1..10
int32_t problemsInPlay(const GameState& state); // tryCount limited to 1..10
int32_t showingMillis(const GameState& state);  // showMillis, or 1000 when 0 or less
// The current problem, or null when problemIndex is outside the ten problems.
Problem* currentProblem(GameState& state);
const Problem* currentProblem(const GameState& state);
