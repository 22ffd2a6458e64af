// The shell's texts that both front ends show: the main window's caption, the toolbar's tooltips,
// and the maker's pages that two of the commands open.
#pragma once

extern const char MainWindowCaption[];

// The maker's pages: the game's help page (where the page built into the game cannot be shown)
// and the menu page. Macros, so that the Windows command lines are made of them at compile time.
#define HELP_PAGE_ADDRESS "https://example.com/mabatakiban/help.html"
#define HOME_PAGE_ADDRESS "https://example.com/"

// The tooltip of command id (CMD_START to CMD_EXIT); null for any other id.
const char* commandToolTip(int id);
