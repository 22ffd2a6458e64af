#pragma once

#include <windows.h>

#include <cstdint>

// Edits the three numbers of every grade, straight into the grade table.
INT_PTR CALLBACK detailSettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Stores the three fields into row saveIndex, then shows row loadIndex in them.
void switchEditedGrade(HWND dialog, int32_t loadIndex, int32_t saveIndex);
