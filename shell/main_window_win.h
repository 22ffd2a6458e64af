#pragma once

#include <windows.h>

extern const wchar_t MainWindowClassName[];

constexpr int MainWindowWidth = 646;
constexpr int MainWindowHeight = 556;

// Registers the class and creates the main window (stored in mainWindow). 0 when the class
// cannot be registered.
int createMainWindow(HINSTANCE instance);

// Where the window goes on a screen of the given size: centred, truncating toward zero.
POINT mainWindowPosition(int screenWidth, int screenHeight);

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Runs until WM_QUIT and returns its exit code. Sleeps in WaitMessage while the queue is empty.
int runMessageLoop();

// Erase and redraw the whole client area at once.
void repaintNow(HWND window);
