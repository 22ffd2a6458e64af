#pragma once

#include <windows.h>

// The About dialog: title, version, description and credits; one button closes it.
INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
