#pragma once

#include <windows.h>

// Draws the board and the message line of the current game state on dc, with BoardFont.
void paintBoard(HDC dc);
