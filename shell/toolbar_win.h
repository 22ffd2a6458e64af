#pragma once

#include <windows.h>
#include <commctrl.h>

// Builds the toolbar along the top of the window for a display of dpi.
void buildToolbar(HWND window, int dpi);

// Destroys the toolbar and its images, so that they can be built again at another scale.
void releaseToolbar();

// Answers the TTN_NEEDTEXTW request of the window's toolbar.
void onToolTipText(HWND window, TOOLTIPTEXTW* record);
