// The shell's texts that both front ends show: the main window's caption, the toolbar's tooltips,
// and the maker's pages that two of the commands open.
#pragma once

// HOME_PAGE_ADDRESS and HELP_PAGE_ADDRESS, the maker's menu page and the help page on the web, as
// whoever publishes the game set them; each empty where the build names none.
#include "build_settings.h"

extern const char MainWindowCaption[];

// The tooltip of command id (CMD_START to CMD_EXIT); null for any other id.
const char* commandToolTip(int id);
