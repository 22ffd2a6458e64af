// Everything the application shell keeps for the whole run lives here.
#pragma once

#include <windows.h>
#include <commctrl.h>

constexpr int ToolbarButtonCount = 7;

// The main window: the entry shows it, and the game's timers, repaints and evaluation dialog go
// to it. Set as soon as its creation begins.
extern HWND mainWindow;
extern HWND toolbarWindow;       // kept while the toolbar is built
extern HIMAGELIST toolbarImages; // the strip at the window's scale; the toolbar does not own it
// The font of the symbols and messages at the window's scale, made again at each new scale.
extern HFONT boardFont;
// The dots per inch the main window is drawn at: what Windows says when it is made, then what
// each move to a monitor of another scale says.
extern int mainWindowDpi;
extern TBBUTTON toolbarButtons[ToolbarButtonCount];
extern TBBUTTON separatorButton;
extern const char BrowserPath[];
// The pages of the two web commands, as this build names them ("" for none): the maker's menu
// page, and the help page on the web, which Web help opens only when it cannot write out the page
// built into the program.
extern const char* homePageAddress;
extern const char* helpPageAddress;
