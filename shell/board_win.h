#pragma once

#include <windows.h>

// Makes boardFont for a display of dpi; it lives until releaseBoardFont.
void makeBoardFont(int dpi);
void releaseBoardFont();

// Draws the board and the message line of the current game state on dc, with boardFont, at the
// positions of the design scaled to dpi.
void paintBoard(HDC dc, int dpi);

// Erases and redraws the board, the whole client area of window, at once.
void repaintBoard(HWND window);
