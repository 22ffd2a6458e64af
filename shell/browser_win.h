#pragma once

#include <windows.h>

#include <string>

// Starts the browser with address as its one argument; tells the player when it cannot.
void launchBrowser(HWND window, const std::wstring& address);
