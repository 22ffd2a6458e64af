#pragma once

#include <windows.h>

#include <string>

// Writes the help page built into the program, with the player's record at its top, to path;
// false when any of it could not be written.
bool writeHelpPage(const std::wstring& path);

// The Web help command: writes the help page to the user's temporary folder and shows it in the
// browser; falls back to openHelpOnTheWeb when it cannot be written.
void openHelp(HWND window);

// The help page on the web where this build names one; without one the player is told that the
// help could not be shown, rather than sent to an address that is not the game's.
void openHelpOnTheWeb(HWND window);
