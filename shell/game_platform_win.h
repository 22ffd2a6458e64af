#pragma once

#include <windows.h>

// Sends the game's timers, repaints and end-of-game dialog to window.
void bindGamePlatform(HWND window);
