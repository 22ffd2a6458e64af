#pragma once

#include <windows.h>

// The Web help command: writes the help page built into the program to the user's temporary
// folder and shows it in the browser; falls back to the page on the web when it cannot be written.
void openHelp(HWND window);
