#pragma once

#include <windows.h>

// The font of the symbols and messages: made once with the toolbar, never deleted.
extern HFONT boardFont;

// Draws the board and the message line of the current game state on dc, with BoardFont, at the
// positions of the design scaled to dpi.
void paintBoard(HDC dc, int dpi);
