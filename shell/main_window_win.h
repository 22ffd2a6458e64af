#pragma once

#include <windows.h>

extern const wchar_t MainWindowClassName[];

// The client area of the design at 96 dots an inch: the board's 640 x 520 pixels and the black
// strip of 11 below it that the designed 646 x 556 window leaves inside its classic frame (3
// pixels a side and a caption of 19). At any other scale the window is sized from it.
constexpr SIZE MainWindowClient = {640, 531};
constexpr DWORD MainWindowStyle = WS_CAPTION | WS_SYSMENU;

// Registers the class and creates the main window (stored in mainWindow), sized for the display
// scale of the monitor it opens on and centred in that monitor's work area. 0 when the class
// cannot be registered.
int createMainWindow(HINSTANCE instance);

// Where a window of size goes: centred on the screen (a monitor's whole rectangle), truncating
// toward zero.
POINT mainWindowPosition(const RECT& screen, SIZE size);

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Runs until WM_QUIT and returns its exit code. Sleeps in WaitMessage while the queue is empty.
int runMessageLoop();
