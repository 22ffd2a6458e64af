// Everything the application shell keeps for the whole run lives here.
#pragma once

#include <windows.h>
#include <commctrl.h>

constexpr int ToolbarButtonCount = 7;

extern HWND mainWindow;    // the entry shows it; everything else uses the handle it is given
extern HWND gameWindow;    // where the game's timers, repaints and evaluation dialog go
extern HWND toolbarWindow; // kept while the toolbar is built
extern HFONT boardFont;    // symbols and messages; made once, never deleted
extern TBBUTTON toolbarButtons[ToolbarButtonCount];
extern TBBUTTON separatorButton;
extern char helpCommandLine[]; // writable: CreateProcessA may change its command line
extern char homePageCommandLine[];

// Back to the start-of-run values (the button table too), so tests start alike.
void resetShellState();
