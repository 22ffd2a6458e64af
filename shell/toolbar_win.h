#pragma once

#include <windows.h>
#include <commctrl.h>

// Builds the toolbar along the top of the window, then BoardFont.
void buildToolbar(HWND window);

// Answers the toolbar's TTN_NEEDTEXTA request of the window's toolbar.
void onToolTipText(HWND window, TOOLTIPTEXTA* record);

// Carries out toolbar command id (the low word of WM_COMMAND's wParam).
void onCommand(HWND window, int id);

// Starts the browser with commandLine; tells the player when it cannot.
void launchBrowser(HWND window, char* commandLine);
