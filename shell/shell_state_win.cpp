#include "shell/shell_state_win.h"

#include "resources/resource.h"
#include "shell/shell_texts.h"

namespace {

constexpr TBBUTTON button(int image, int command) {
    return TBBUTTON{image, command, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0};
}

} // namespace

HWND mainWindow = nullptr;
HWND toolbarWindow = nullptr;
HIMAGELIST toolbarImages = nullptr;
HFONT boardFont = nullptr;
int mainWindowDpi = 96;
// Image i of the strip belongs to command CMD_START + i.
TBBUTTON toolbarButtons[ToolbarButtonCount] = {
    button(0, CMD_START),   button(1, CMD_START2),  button(2, CMD_SETTINGS),
    button(3, CMD_VERSION), button(4, CMD_WEBHELP), button(5, CMD_HOMEPAGE),
    button(6, CMD_EXIT),
};
static_assert(CMD_EXIT - CMD_START + 1 == ToolbarButtonCount, "one button per command");
TBBUTTON separatorButton = {0, 0, TBSTATE_ENABLED, TBSTYLE_SEP, {}, 0, 0};
const char BrowserPath[] = "C:\\Program Files\\Internet Explorer\\iexplore.exe";
const char* homePageAddress = HOME_PAGE_ADDRESS;
const char* helpPageAddress = HELP_PAGE_ADDRESS;
