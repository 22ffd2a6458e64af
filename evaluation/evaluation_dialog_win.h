#pragma once

#include <windows.h>

// The end-of-game dialog: five score lines and the brain picture of the total.
INT_PTR CALLBACK evaluationDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
