#include "shell/toolbar_win.h"

#include "common/display_scale.h"
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
#include <utility>

namespace {

constexpr DWORD ToolbarStyle =
    WS_CHILD | WS_VISIBLE | CCS_ADJUSTABLE | TBSTYLE_TOOLTIPS | TBSTYLE_ALTDRAG;
constexpr int ToolbarImageSize = 32; // at 96 dots an inch
constexpr int SeparatorWidth = 8;
// Inserting at these positions, in this order, splits the seven buttons into three groups.
constexpr int SeparatorPositions[] = {2, 3, 4, 5, 8, 9, 10, 11};

HINSTANCE windowInstance(HWND window) {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
}

// The seven images of the strip drawn for the scale nearest dpi, at their own size: a picture
// stretched to a scale comes out blurred or blocky. The strip's classic button colours are mapped
// to the system's and its button face made transparent, as the toolbar does with a strip it
// loads itself.
HIMAGELIST stripImages(HINSTANCE instance, int dpi) {
    const int percent = pictureScale(dpi);
    const int size = scaled(ToolbarImageSize, percent * DesignDpi / 100);
    HIMAGELIST images =
        ImageList_Create(size, size, ILC_COLORDDB | ILC_MASK, ToolbarButtonCount, 0);
    HBITMAP strip =
        CreateMappedBitmap(instance, pictureAtScale(IDB_TOOLBAR, percent), 0, nullptr, 0);
    ImageList_AddMasked(images, strip, GetSysColor(COLOR_BTNFACE));
    DeleteObject(strip);
    return images;
}

// The control's own padding and margins make it taller than the board leaves room for (under
// Wine 44 pixels at 96 dpi, over a board that starts at 40): the buttons give up the difference
// from their padding above and below the image, so that no row of the board is covered.
void fitAboveBoard(HWND toolbar, int dpi) {
    RECT bar;
    GetWindowRect(toolbar, &bar);
    const int excess = bar.bottom - bar.top - scaled(BoardTop, dpi);
    if (excess <= 0) {
        return;
    }
    const DWORD padding = static_cast<DWORD>(SendMessageW(toolbar, TB_GETPADDING, 0, 0));
    const int height = HIWORD(padding) > excess ? HIWORD(padding) - excess : 0;
    SendMessageW(toolbar, TB_SETPADDING, 0, MAKELPARAM(LOWORD(padding), height));
    const DWORD size = static_cast<DWORD>(SendMessageW(toolbar, TB_GETBUTTONSIZE, 0, 0));
    SendMessageW(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(LOWORD(size), HIWORD(size) - excess));
    SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
}

} // namespace

void buildToolbar(HWND window, int dpi) {
    HINSTANCE instance = windowInstance(window);
    InitCommonControls();
    toolbarWindow = CreateToolbarEx(window, ToolbarStyle, IDC_TOOLBAR, 0, nullptr, 0,
                                    toolbarButtons, 0, 0, 0, 0, 0, sizeof(TBBUTTON));
    toolbarImages = stripImages(instance, dpi);
    SendMessageW(toolbarWindow, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(toolbarImages));
    SendMessageW(toolbarWindow, TB_ADDBUTTONSW, ToolbarButtonCount,
                 reinterpret_cast<LPARAM>(toolbarButtons));
    SendMessageW(toolbarWindow, TB_AUTOSIZE, 0, 0);
    // A separator's image index is its width; the toolbar's own is the design's at 96 dpi.
    TBBUTTON separator = separatorButton;
    separator.iBitmap = scaled(SeparatorWidth, dpi);
    for (int position : SeparatorPositions) {
        SendMessageW(toolbarWindow, TB_INSERTBUTTONW, position,
                     reinterpret_cast<LPARAM>(&separator));
    }
    fitAboveBoard(toolbarWindow, dpi);
    // Asked for with the Japanese character set, so that a system without this face gives a
    // Japanese one.
    boardFont = CreateFontW(scaled(BoardFontHeight, dpi), scaled(BoardFontWidth, dpi), 0, 0,
                            BoardFontWeight, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, L"ＭＳ 明朝");
}

void releaseToolbar() {
    DestroyWindow(std::exchange(toolbarWindow, nullptr));
    ImageList_Destroy(std::exchange(toolbarImages, nullptr));
    DeleteObject(std::exchange(boardFont, nullptr));
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

void launchBrowser(HWND window, const std::wstring& address) {
    // Quoted, so that the browser, splitting its command line the usual way, finds the address as
    // its one argument.
    std::wstring commandLine = L"\"" + wideText(BrowserPath) + L"\" " + address;
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
