#include "shell/toolbar_win.h"

#include "core/board_paint.h"
#include "core/board_paint_win.h"
#include "core/game.h"
#include "resources/resource.h"
#include "settings/game_settings_dialog_win.h"
#include "settings/grades.h"
#include "shell/about_dialog_win.h"
#include "shell/shell_texts.h"
#include "shell/help_win.h"
#include "shell/shell_state_win.h"
#include "common/text_win.h"

#include <iterator>

namespace {

constexpr DWORD ToolbarStyle =
    WS_CHILD | WS_VISIBLE | CCS_ADJUSTABLE | TBSTYLE_TOOLTIPS | TBSTYLE_ALTDRAG;
constexpr int ToolbarImageSize = 32;
// Inserting at these positions, in this order, splits the seven buttons into three groups.
constexpr int SeparatorPositions[] = {2, 3, 4, 5, 8, 9, 10, 11};

HINSTANCE windowInstance(HWND window) {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
}

} // namespace

void buildToolbar(HWND window) {
    HINSTANCE instance = windowInstance(window);
    InitCommonControls();
    toolbarWindow = CreateToolbarEx(window, ToolbarStyle, IDC_TOOLBAR, 0, nullptr, 0,
                                    toolbarButtons, 0, 0, 0, 0, 0, sizeof(TBBUTTON));
    SendMessageW(toolbarWindow, TB_SETBITMAPSIZE, 0,
                 MAKELPARAM(ToolbarImageSize, ToolbarImageSize));
    TBADDBITMAP strip{instance, IDB_TOOLBAR};
    const LRESULT firstImage = SendMessageW(toolbarWindow, TB_ADDBITMAP, ToolbarButtonCount,
                                            reinterpret_cast<LPARAM>(&strip));
    for (TBBUTTON& button : toolbarButtons) {
        button.iBitmap += static_cast<int>(firstImage);
    }
    SendMessageW(toolbarWindow, TB_ADDBUTTONSW, ToolbarButtonCount,
                 reinterpret_cast<LPARAM>(toolbarButtons));
    SendMessageW(toolbarWindow, TB_AUTOSIZE, 0, 0);
    for (int position : SeparatorPositions) {
        SendMessageW(toolbarWindow, TB_INSERTBUTTONW, position,
                     reinterpret_cast<LPARAM>(&separatorButton));
    }
    // Asked for with the Japanese character set, so that a system without this face gives a
    // Japanese one.
    boardFont = CreateFontW(BoardFontHeight, BoardFontWidth, 0, 0, BoardFontWeight, 0, 0, 0,
                            SHIFTJIS_CHARSET, 0, 0, 0, 0, L"ＭＳ 明朝");
}

void onToolTipText(HWND window, TOOLTIPTEXTW* record) {
    record->hinst = windowInstance(window);
    // Ids past the range of int are no command either.
    const UINT_PTR id = record->hdr.idFrom;
    const char* text = id <= CMD_EXIT ? commandToolTip(static_cast<int>(id)) : nullptr;
    if (text != nullptr) {
        // The record's own buffer holds the text (every tooltip is far shorter than it).
        const std::wstring tip = wideText(text);
        record->szText[tip.copy(record->szText, std::size(record->szText) - 1)] = L'\0';
        record->lpszText = record->szText;
    }
}

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
        derivePlayParameters();
        break;
    case CMD_VERSION:
        DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ABOUT), window, aboutDialogProc, 0);
        break;
    case CMD_WEBHELP:
        openHelp(window);
        break;
    case CMD_HOMEPAGE:
        launchBrowser(window, wideText(homePageCommandLine));
        break;
    case CMD_EXIT:
        DestroyWindow(window);
        break;
    default:
        break;
    }
}

void launchBrowser(HWND window, std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // Named on its own as well as quoted in the command line: the system then never tries
    // C:\Program.exe or C:\Program Files\Internet.exe, whatever stands there.
    if (!CreateProcessW(wideText(BrowserPath).c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup, &process)) {
        showMessage(window, "Internet Explorerが見つかりませんでした。", "残念！", MB_OK);
        return;
    }
    // The browser is not watched; holding its handles would only leak two per launch.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}
