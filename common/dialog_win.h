// What the program's plain dialogs share.
#pragma once

#include <windows.h>

// The settings and About dialogs draw nothing of their own (their controls draw themselves);
// answering a paint only validates the area.
inline void paintNothing(HWND dialog) {
    PAINTSTRUCT paint;
    BeginPaint(dialog, &paint);
    EndPaint(dialog, &paint);
}
