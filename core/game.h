// The game's state machine: the Start command, the two timers' ticks and left clicks.
// Effects on the window go through gamePlatform.
#pragma once

#include "core/board.h"

#include <cstdint>

void startGame();
void onPhaseTimer();
void onFeedbackTimer();
// Client coordinates, the two unsigned 16-bit halves of the click's coordinate word.
void onClick(uint32_t x, uint32_t y);
// Sets the state of every cell of the current problem.
void setCellStates(CellState state);
