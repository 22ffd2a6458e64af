#include "shell/commands_win.h"

#include "common/text_win.h"
#include "core/game.h"
#include "resources/resource.h"
#include "settings/game_settings_dialog_win.h"
#include "settings/grades.h"
#include "shell/about_dialog_win.h"
#include "shell/browser_win.h"
#include "shell/help_win.h"
#include "shell/shell_state_win.h"

void onCommand(HWND window, int id) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    switch (id) {
    case CMD_START:
    case CMD_START2:
        startGame();
        break;
    case CMD_SETTINGS:
        DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_GAMESETTINGS), window,
                        gameSettingsDialogProc, 0);
        onSettingsApplied();
        break;
    case CMD_VERSION:
        DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ABOUT), window, aboutDialogProc, 0);
        break;
    case CMD_WEBHELP:
        openHelp(window);
        break;
    case CMD_HOMEPAGE:
        openHomePage(window);
        break;
    case CMD_EXIT:
        DestroyWindow(window);
        break;
    default:
        break;
    }
}

void openHomePage(HWND window) {
    // A build that names no home page of its own shows the game's own help: never a page of
    // somebody else.
    if (*homePageAddress == '\0') {
        openHelp(window);
        return;
    }
    launchBrowser(window, wideText(homePageAddress));
}
