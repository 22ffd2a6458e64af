#pragma once

#include <windows.h>

// Carries out toolbar command id (the low word of WM_COMMAND's wParam).
void onCommand(HWND window, int id);

// The Home page command: the maker's menu page in the browser, or where this build names none,
// the game's own help as the Web help command shows it.
void openHomePage(HWND window);
