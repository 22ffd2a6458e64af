// The board by keyboard: a box among the current problem's cells that the arrow keys move and
// Enter or Space answers on, exactly as a click at that cell's centre. Both front ends carry out
// what these decide; the box is drawn only once a key has been used, and a mouse click hides it.
#pragma once

#include "core/board.h"
#include "core/game_state.h"

#include <cstdint>

// The cells a player can pick now, in reading order (row by row, left to right), which tells
// nothing of which one is the target.
struct PickableCells {
    int32_t count;
    BoardPlace places[CellsPerProblem];
};

// The current problem's cells while the game waits for answers; none in any other phase.
PickableCells pickableCells(const GameState& state);

// From `from`, the nearest place in the direction of (dx, dy), a step along one axis: only places
// strictly that way count, a step across weighs twice a step along, and of equals the first in
// the list wins. `from` itself when no place lies that way.
BoardPlace nearestInDirection(const PickableCells& cells, BoardPlace from, int32_t dx, int32_t dy);

// Where the box stands: where it was put while that is still a pickable cell, else on the first
// one. False when it is not shown or nothing can be picked.
bool keyboardBoxPlace(const GameState& state, const KeyboardBox& box, BoardPlace& place);

// The keys' events; the front end repaints after each.
void onArrowKey(int32_t dx, int32_t dy); // the first key only shows the box
void onAnswerKey();                      // Enter or Space: a click at the box's centre
void showKeyboardBox();                  // the board took the focus from the keyboard
void onPointerPressed();                 // any mouse click or touch hides the box

// The frame drawn around the box, in design pixels: a band `thickness` wide inside the outer
// rectangle, which leaves the cell's own square and its character's background untouched.
struct KeyboardFrame {
    bool shown;
    int32_t left, top, right, bottom; // outer edges, right and bottom excluded
    int32_t thickness;
    uint32_t color; // 0x00BBGGRR
};

KeyboardFrame planKeyboardFrame(const GameState& state, const KeyboardBox& box);
