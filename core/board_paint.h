// What the board shows for a game state, as a list of text runs; the Win32 side only draws them.
#pragma once

#include "core/board.h"
#include "core/game_state.h"

#include <cstdint>

// Colours as 0x00BBGGRR.
constexpr uint32_t ColorWhite = 0xFFFFFF;
constexpr uint32_t ColorBlack = 0x000000;
constexpr uint32_t ColorGreen = 0x00FF00;
constexpr uint32_t ColorRed = 0x0000FF;
constexpr uint32_t ColorBlue = 0xFF0000;

// The font of the symbols and messages: 32 pixels high and, on average, 32 wide, so that a
// symbol fills its square and a full-width character two of them; weight 600; a Mincho face.
constexpr int32_t BoardFontHeight = 32;
constexpr int32_t BoardFontWidth = 32;
constexpr int32_t BoardFontWeight = 600;

constexpr int32_t MessageBufferSize = 64; // the question, the longest message, takes 28 in UTF-8

struct TextRun {
    int32_t x;
    int32_t y;
    uint32_t textColor;
    uint32_t backColor;
    int32_t length; // bytes of text to draw
    char text[MessageBufferSize];
};

// At most one run per cell of a problem and one for the message line, in drawing order.
struct BoardPaint {
    int32_t count;
    TextRun runs[CellsPerProblem + 1];
    bool message; // the last run is the message line (what a screen reader says of the board)
};

BoardPaint planBoardPaint(const GameState& state);

// The grid row of the message line: the lowest row that no cell of the current problem uses.
int32_t freeMessageRow(const GameState& state);
