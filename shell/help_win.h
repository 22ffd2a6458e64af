#pragma once

#include <windows.h>

#include <string>

// Writes the help page built into the program, with the player's record at its top, to path;
// false when any of it could not be written.
bool writeHelpPage(const std::wstring& path);

// The Web help command: writes the help page to the user's temporary folder and shows it in the
// browser; falls back to the page on the web when it cannot be written.
void openHelp(HWND window);
