// The four dialogs as the program opens them over its main window.
#include "support.h"

#include <cstring>

namespace {

constexpr DWORD Dialog = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME |
                         DS_SETFONT | DS_3DLOOK | DS_CONTEXTHELP | WS_CLIPSIBLINGS;
constexpr DWORD Push = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER;
constexpr DWORD List =
    WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL;
constexpr DWORD Radio = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON;
constexpr DWORD Label = WS_CHILD | WS_VISIBLE | SS_LEFT;
constexpr DWORD Centred = WS_CHILD | WS_VISIBLE | SS_CENTER;
const char *const B = "Button", *const C = "ComboBox", *const S = "Static";

TEST_F(ShellTest, DialogsAsCreated) {
    // In the order opened: game settings, detailed settings from it, About, evaluation.
    const std::pair<DWORD, std::vector<std::tuple<int, const char*, DWORD>>> dialogs[] = {
        {Dialog | DS_CENTERMOUSE, {{109, B, Push}, {114, C, List}, {101, B, Push}}},
        {Dialog,
         {{107, B, WS_CHILD | WS_VISIBLE | WS_GROUP | BS_GROUPBOX},
          {101, C, List},
          {103, S, Label},
          {104, S, Label},
          {105, S, Label},
          {106, C, List},
          {108, C, List},
          {102, B, Radio},
          {109, B, Radio},
          {110, B, Radio},
          {111, B, Radio},
          {112, B, Radio},
          {113, B, Radio},
          {114, B, Radio},
          {115, B, Radio},
          {116, B, Radio},
          {117, B, Radio},
          {118, B, Push}}},
        {Dialog | DS_CENTERMOUSE,
         {{65535, S, WS_CHILD | WS_VISIBLE | SS_ETCHEDFRAME},
          {65535, S, Centred},
          {65535, S, Centred},
          {65535, S, Centred},
          {65535, S, Centred},
          {41, B, Push},
          {102, S, Label},
          {103, S, Label},
          {104, S, Label}}},
        {Dialog, {{101, B, Push}}},
    };
    open();
    Catcher catcher({[](HWND game) { click(game, 101); }, nullptr,
                     [](HWND about) {
                         SendMessageA(about, WM_COMMAND, IDCANCEL, 0);
                         EXPECT_TRUE(IsWindowVisible(about)) << "Esc closed About";
                         click(about, 41);
                         EXPECT_FALSE(IsWindowVisible(about)) << "閉じる did not close About";
                     }});
    command(332);
    command(333);
    gamePlatform->openEvaluation();
    ASSERT_EQ(catcher.dialogs.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        std::string expected;
        for (const auto& [id, name, style] : dialogs[i].second) {
            expected += std::to_string(id) + " " + name + " " + hex(style) + "\n";
        }
        EXPECT_EQ(catcher.controls[catcher.dialogs[i]], expected) << catcher.seen[i];
        EXPECT_EQ(hex(catcher.styles[i]), hex(dialogs[i].first)) << catcher.seen[i];
    }
}

std::string texts(HWND dialog, std::vector<int> ids) {
    std::string texts;
    for (int id : ids) {
        texts += (texts.empty() ? "" : " ") + text(GetDlgItem(dialog, id));
    }
    return texts;
}
void type(HWND dialog, int id, const char* value) {
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value));
}

TEST_F(ShellTest, SettingsDialogsEditTheGradesInPlace) {
    open(); // the factory grades, 9級 chosen
    Catcher catcher({
        [](HWND game) {
            std::string items;
            for (int i = 0; i < SendDlgItemMessageA(game, 114, CB_GETCOUNT, 0, 0); ++i) {
                char item[32] = {};
                SendDlgItemMessageA(game, 114, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
                items += item + std::string(" ");
            }
            EXPECT_EQ(items,
                      "0:10級 1:９級 2:８級 3:７級 4:６級 5:５級 6:４級 7:３級 8:２級 9:１級 ");
            EXPECT_EQ(texts(game, {114}), "1:９級");
            click(game, 101);
            click(game, 101);
            type(game, 114, "5:５級"); // then closed with the close box
        },
        [](HWND detail) {
            EXPECT_EQ(IsDlgButtonChecked(detail, 102), 1u) << "10級";
            EXPECT_EQ(texts(detail, {101, 106, 108}), "3 3 3") << "10級";
            type(detail, 101, "12");
            click(detail, 109);
            EXPECT_EQ(texts(detail, {101, 106, 108}), "3 3 5") << "9級";
            type(detail, 101, "4");
            type(detail, 108, "-3");
            click(detail, 118);
        },
        [](HWND detail) {
            EXPECT_EQ(texts(detail, {101, 106, 108}), "12 3 3") << "10級 again";
            type(detail, 101, "7"); // then closed with the close box
        },
        [](HWND game) {
            type(game, 114, "5:５級");
            click(game, 109);
        },
    });
    command(332);
    EXPECT_EQ(gradeTable[0].symbolCount, 12);
    EXPECT_EQ(gradeTable[1].symbolCount, 4);
    EXPECT_EQ(gradeTable[1].tryCount, -3);
    EXPECT_EQ(gradeIndex, 1) << "the close box keeps the grade";
    EXPECT_EQ(gameState.symbolCount, 4) << "derived again after the dialog";
    command(332);
    EXPECT_EQ(gradeIndex, 5);
    EXPECT_EQ(gameState.symbolCount, 5);
}

// A memory device context holding the program's bitmap resource id.
struct Picture {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ original;
    explicit Picture(int id)
        : original(SelectObject(dc, LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                               IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))) {}
    ~Picture() {
        DeleteObject(SelectObject(dc, original));
        DeleteDC(dc);
    }
};

TEST_F(ShellTest, EvaluationShowsTheLinesAndTheBrainOfTheScore) {
    open();
    ShowWindow(window, SW_SHOW);
    gameState.scoreBasis = {9, 1, 9}; // no miss: 100 points, the sixth brain
    Catcher catcher({[](HWND evaluation) {
        UpdateWindow(evaluation);
        HDC dc = GetDC(evaluation);
        const COLORREF face = GetSysColor(COLOR_3DFACE);
        const auto inked = [&] {
            int count = 0;
            for (int y = 300; y < 396; ++y) {
                for (int x = 0; x < 200; ++x) {
                    count += GetPixel(dc, x, y) != face;
                }
            }
            return count;
        };
        const int ink = inked();
        EXPECT_GT(ink, 500) << "the lines";
        EXPECT_EQ(hex(GetPixel(dc, 10, 300)), hex(face)) << "drawn on the dialog's own colour";
        SetBkMode(dc, TRANSPARENT); // the same lines drawn again over them add no ink
        const char* const lines[] = {"文字数9：得点9×4＝36点 おまけ１点", "時間1秒：得点9×3＝27点",
                                     "問題数9：得点9×4＝36点", "間違数0：減点0×5＝0点",
                                     "合計得点：100点／100点"};
        const int tops[] = {300, 318, 336, 354, 376};
        for (int i = 0; i < 5; ++i) {
            TextOutA(dc, 10, tops[i], lines[i], static_cast<int>(std::strlen(lines[i])));
        }
        EXPECT_EQ(inked(), ink) << "the lines at x 10 and y 300, 318, 336, 354 and 376";

        Picture background(2), brain(8), mask(9);
        int wrong = 0;
        for (int y = 0; y < 130; ++y) {
            for (int x = 0; x < 160; ++x) {
                wrong += GetPixel(dc, 70 + x, 65 + y) !=
                         (GetPixel(mask.dc, x, y) ? GetPixel(background.dc, 70 + x, 65 + y)
                                                  : GetPixel(brain.dc, x, y));
            }
        }
        EXPECT_EQ(wrong, 0) << "pixels not the sixth brain inside the mask at (70, 65)";
        ReleaseDC(evaluation, dc);
        click(evaluation, 101);
    }});
    gamePlatform->openEvaluation();
    EXPECT_EQ(catcher.seen.size(), 1u);
}

// Wine keeps every GDI object in one table, and a handle without its upper half names whatever
// lives in its slot: counting the slots in use counts the objects alive.
int liveGdiObjects() {
    int count = 0;
    for (INT_PTR slot = 1; slot < 0x10000; ++slot) {
        count += GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0;
    }
    return count;
}

TEST_F(ShellTest, EvaluationLeavesNoGdiObjectsBehind) {
    open();
    ShowWindow(window, SW_SHOW);
    const auto repaint = [](HWND evaluation) {
        RedrawWindow(evaluation, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    };
    Catcher catcher(std::vector<Catcher::Step>(4, repaint));
    gamePlatform->openEvaluation(); // whatever a first opening keeps for good
    const int before = liveGdiObjects();
    for (int i = 0; i < 3; ++i) {
        gamePlatform->openEvaluation();
    }
    EXPECT_EQ(liveGdiObjects(), before) << "GDI objects alive after three more openings";
}

} // namespace
