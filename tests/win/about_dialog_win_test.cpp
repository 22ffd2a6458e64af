#include "win_test_support.h"

#include "resources/resource.h"
#include "shell/about_dialog_win.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD Child = WS_CHILD | WS_VISIBLE;

struct OpenedDialog {
    INT_PTR result = -1;
    std::vector<CaughtWindow> caught;
};

// Opens the About dialog over a window of its own; action runs once it is up.
OpenedDialog openAbout(ModalCatcher::Action action) {
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 50, 50, 400, 300,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    OpenedDialog opened;
    {
        ModalCatcher catcher(std::move(action));
        opened.result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT),
                                        owner, aboutDialogProc, 0);
        opened.caught = catcher.caught();
    }
    DestroyWindow(owner);
    return opened;
}

TEST(AboutDialog, TemplateAsCreated) {
    openAbout([](HWND dialog) {
        const DWORD style = static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE));
        const DWORD wanted = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME |
                             DS_SETFONT | DS_3DLOOK | DS_CENTERMOUSE | DS_CONTEXTHELP;
        EXPECT_EQ(style & wanted, wanted) << std::hex << style;
        RECT client;
        GetClientRect(dialog, &client);
        RECT units = {0, 0, 122, 136};
        MapDialogRect(dialog, &units);
        EXPECT_EQ(client.right, units.right);
        EXPECT_EQ(client.bottom, units.bottom);
        const ControlSpec controls[] = {
            {0xFFFF, "Static", nullptr, Child | SS_ETCHEDFRAME, {0, 68, 122, 52}},
            {0xFFFF, "Static", nullptr, Child | SS_CENTER, {16, 96, 92, 8}},
            {0xFFFF, "Static", "InterFace : Windods API", Child | SS_CENTER, {16, 84, 92, 8}},
            {0xFFFF, "Static", nullptr, Child | SS_CENTER, {4, 108, 112, 8}},
            {0xFFFF, "Static", nullptr, Child | SS_CENTER, {18, 72, 92, 8}},
            {IDC_ABOUT_CLOSE,
             "Button",
             "閉じる",
             Child | BS_PUSHBUTTON | BS_CENTER | WS_TABSTOP,
             {0, 120, 122, 16}},
            {IDC_ABOUT_VERSION, "Static", "バージョン１．２０", Child | SS_LEFT, {32, 28, 52, 8}},
            {IDC_ABOUT_TITLE, "Static", "わすれないでね", Child | SS_LEFT, {28, 8, 56, 8}},
            {IDC_ABOUT_DESCRIPTION,
             "Static",
             "画面に出てくる数字を憶えるゲーム",
             Child | SS_LEFT,
             {8, 52, 104, 8}},
        };
        expectControls(dialog, controls, sizeof controls / sizeof controls[0]);
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_ABOUT_CLOSE));
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    });
}

TEST(AboutDialog, OnlyCloseAndTheCaptionEndIt) {
    const struct {
        const char* how;
        ModalCatcher::Action action;
    } cases[] = {
        {"Close button",
         [](HWND dialog) {
             PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
             PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
             PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
             PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_CLOSE, 0xFFFF), 0);
         }},
        {"WM_CLOSE", [](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); }},
    };
    for (const auto& c : cases) {
        const OpenedDialog opened = openAbout(c.action);
        EXPECT_EQ(opened.result, 1) << c.how;
        ASSERT_EQ(opened.caught.size(), 1u) << c.how;
        EXPECT_EQ(opened.caught[0].caption, "このソフトについて");
    }
}

bool stillOpen = false;

void CALLBACK closeIfStillOpen(HWND dialog, UINT, UINT_PTR id, DWORD) {
    KillTimer(dialog, id);
    stillOpen = IsWindow(dialog) != FALSE;
    PostMessageA(dialog, WM_CLOSE, 0, 0);
}

TEST(AboutDialog, EscapeAloneLeavesItOpen) {
    // Esc first; only if the dialog is still there a moment later does WM_CLOSE end it.
    stillOpen = false;
    const OpenedDialog opened = openAbout([](HWND dialog) {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
        SetTimer(dialog, 77, 100, closeIfStillOpen);
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(opened.result, 1);
}

} // namespace
