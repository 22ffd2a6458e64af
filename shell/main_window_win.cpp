#include "shell/main_window_win.h"

#include "common/display_scale.h"
#include "common/dpi_win.h"
#include "common/text_win.h"
#include "core/game.h"
#include "core/game_state.h"
#include "evaluation/game_record_win.h"
#include "resources/resource.h"
#include "settings/grades.h"
#include "settings/settings_io_win.h"
#include "shell/board_win.h"
#include "shell/commands_win.h"
#include "shell/game_platform_win.h"
#include "shell/shell_state_win.h"
#include "shell/shell_texts.h"
#include "shell/toolbar_win.h"

#include <commctrl.h>

const wchar_t MainWindowClassName[] = L"Main Window";

POINT mainWindowPosition(const RECT& screen, SIZE size) {
    // C++ division truncates toward zero, as the placement wants on screens smaller than the
    // window.
    return POINT{screen.left + (screen.right - screen.left - size.cx) / 2,
                 screen.top + (screen.bottom - screen.top - size.cy) / 2};
}

namespace {

SIZE mainWindowSize(int dpi) {
    return windowSizeForClient({scaled(MainWindowClient.cx, dpi), scaled(MainWindowClient.cy, dpi)},
                               MainWindowStyle, dpi);
}

} // namespace

int createMainWindow(HINSTANCE instance) {
    WNDCLASSW windowClass{};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_BYTEALIGNCLIENT;
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_MAIN));
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    // The board is drawn on the black that erasing leaves.
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = MainWindowClassName;
    if (RegisterClassW(&windowClass) == 0) {
        return 0;
    }

    // A new window opens on the primary monitor, sized for the system's scale. That is fixed at
    // sign-in, and the monitor may have another by now: then the window is sized again for the
    // scale Windows gave it.
    const int dpi = dpiOfWindow(nullptr);
    SIZE size = mainWindowSize(dpi);
    POINT position = mainWindowPosition(monitorOf(nullptr), size);
    mainWindow = CreateWindowExW(0, MainWindowClassName, wideText(MainWindowCaption).c_str(),
                                 MainWindowStyle, position.x, position.y, size.cx, size.cy, nullptr,
                                 nullptr, instance, nullptr);
    if (mainWindow != nullptr && mainWindowDpi != dpi) {
        size = mainWindowSize(mainWindowDpi);
        position = mainWindowPosition(monitorOf(mainWindow), size);
        SetWindowPos(mainWindow, nullptr, position.x, position.y, size.cx, size.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return 1;
}

int runMessageLoop() {
    MSG message;
    for (;;) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            WaitMessage();
            continue;
        }
        if (GetMessageW(&message, nullptr, 0, 0) == 0) {
            return static_cast<int>(message.wParam);
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

namespace {

void onCreate(HWND window) {
    bindGamePlatform(window);
    readSettings(window);
    onSettingsApplied();
    mainWindowDpi = dpiOfWindow(window);
    buildToolbar(window, mainWindowDpi);
    makeBoardFont(mainWindowDpi);
}

void onDestroy(HWND window) {
    KillTimer(window, PhaseTimer);
    writeSettings(window);
    saveUnwrittenGames();
    PostQuitMessage(0);
}

void onPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    paintBoard(dc, mainWindowDpi);
    EndPaint(window, &paint);
}

// Moved to a monitor of another scale: everything is made again at the new one and the window
// takes the place Windows suggests, which keeps its client area in proportion.
void onDpiChanged(HWND window, WPARAM wParam, LPARAM lParam) {
    mainWindowDpi = LOWORD(wParam);
    releaseToolbar();
    buildToolbar(window, mainWindowDpi);
    releaseBoardFont();
    makeBoardFont(mainWindowDpi);
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(window, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    repaintBoard(window);
}

// The window is a Unicode one, so its toolbar asks for tooltips as TTN_NEEDTEXTW. Every other
// notification comes with a structure of its own and is left as it came.
void onNotify(HWND window, LPARAM lParam) {
    NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code == TTN_NEEDTEXTW) {
        onToolTipText(window, reinterpret_cast<TOOLTIPTEXTW*>(header));
    }
}

void onTimer(WPARAM id) {
    if (id == PhaseTimer) {
        onPhaseTimer();
    } else if (id == FeedbackTimer) {
        onFeedbackTimer();
    }
}

void onLeftButtonDown(HWND window, LPARAM lParam) {
    // The game knows only the 96-dpi design: the click goes to it in design pixels.
    const uint32_t word = static_cast<uint32_t>(lParam);
    onClick(static_cast<uint32_t>(unscaled(static_cast<int32_t>(word & 0xFFFF), mainWindowDpi)),
            static_cast<uint32_t>(unscaled(static_cast<int32_t>(word >> 16), mainWindowDpi)));
    repaintBoard(window);
}

} // namespace

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        onCreate(window);
        return 0;
    case WM_DESTROY:
        onDestroy(window);
        return 0;
    case WM_PAINT:
        onPaint(window);
        return 0;
    case WM_NOTIFY:
        onNotify(window, lParam);
        return 0;
    case WM_COMMAND:
        onCommand(window, LOWORD(wParam));
        return 0;
    case WM_TIMER:
        onTimer(wParam);
        return 0;
    case WM_LBUTTONDOWN:
        onLeftButtonDown(window, lParam);
        return 0;
    case WM_DPICHANGED:
        onDpiChanged(window, wParam, lParam);
        return 0;
    case WM_ACTIVATE:
    case WM_QUIT:
    case WM_INITMENUPOPUP:
    case WM_QUERYNEWPALETTE:
        return 0; // deliberately no default processing
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
