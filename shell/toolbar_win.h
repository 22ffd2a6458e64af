#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

// Builds the toolbar along the top of the window, then BoardFont, both for a display of dpi.
void buildToolbar(HWND window, int dpi);

// Destroys the toolbar, its images and BoardFont, so that they can be built again at another
// scale.
void releaseToolbar();

// Answers the TTN_NEEDTEXTW request of the window's toolbar.
void onToolTipText(HWND window, TOOLTIPTEXTW* record);

// Carries out toolbar command id (the low word of WM_COMMAND's wParam).
void onCommand(HWND window, int id);

// The Home page command: the maker's menu page in the browser, or where this build names none,
// the game's own help as the Web help command shows it.
void openHomePage(HWND window);

// Starts the browser with address as its one argument; tells the player when it cannot.
void launchBrowser(HWND window, const std::wstring& address);
