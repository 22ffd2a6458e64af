#pragma once

#include <windows.h>

// Chooses the grade for play (gradeIndex); can open the detailed settings dialog.
INT_PTR CALLBACK gameSettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
