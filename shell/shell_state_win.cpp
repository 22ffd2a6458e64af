#include "shell/shell_state_win.h"

#include "resources/resource.h"

#include <algorithm>
#include <iterator>
#include <cstring>

namespace {

constexpr TBBUTTON button(int image, int command) {
    return TBBUTTON{image, command, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0};
}

// Image i of the strip belongs to command CMD_START + i.
constexpr TBBUTTON initialToolbarButtons[ToolbarButtonCount] = {
    button(0, CMD_START),   button(1, CMD_START2),  button(2, CMD_SETTINGS),
    button(3, CMD_VERSION), button(4, CMD_WEBHELP), button(5, CMD_HOMEPAGE),
    button(6, CMD_EXIT),
};
static_assert(CMD_EXIT - CMD_START + 1 == ToolbarButtonCount, "one button per command");

constexpr char initialHelpCommandLine[] =
    "C:\\Program Files\\Internet Explorer\\iexplore.exe https://example.com/mabatakiban/help.html";
constexpr char initialHomePageCommandLine[] =
    "C:\\Program Files\\Internet Explorer\\iexplore.exe https://example.com/";

} // namespace

HWND mainWindow = nullptr;
HWND gameWindow = nullptr;
HWND toolbarWindow = nullptr;
HFONT boardFont = nullptr;
TBBUTTON toolbarButtons[ToolbarButtonCount];
TBBUTTON separatorButton = {0, 0, TBSTATE_ENABLED, TBSTYLE_SEP, {}, 0, 0};
char helpCommandLine[sizeof initialHelpCommandLine];
char homePageCommandLine[sizeof initialHomePageCommandLine];

void resetShellState() {
    mainWindow = nullptr;
    gameWindow = nullptr;
    toolbarWindow = nullptr;
    boardFont = nullptr;
    std::copy(std::begin(initialToolbarButtons), std::end(initialToolbarButtons), toolbarButtons);
    std::memcpy(helpCommandLine, initialHelpCommandLine, sizeof initialHelpCommandLine);
    std::memcpy(homePageCommandLine, initialHomePageCommandLine, sizeof initialHomePageCommandLine);
}

namespace {
// The program-wide data holds its start values before WinMain runs.
const bool shellStateReady = (resetShellState(), true);
} // namespace
