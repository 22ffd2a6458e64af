// The display scale of a window, asked of Windows where it knows each monitor's scale (Windows 10
// and later, and Wine) and of the screen's device context before that, so that the program still
// starts on every version its manifest names.
#pragma once

#include <windows.h>

// The dots per inch that window is drawn at now.
int dpiOfWindow(HWND window);

// The outer size of a window of this style whose client area is client, at dpi.
SIZE windowSizeForClient(SIZE client, DWORD style, int dpi);

// The whole rectangle of the monitor that holds most of window, or of the primary monitor (the
// whole screen) for no window; the task bar is not taken off.
RECT monitorOf(HWND window);
