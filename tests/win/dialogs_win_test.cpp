// The four dialogs as the program opens them over its main window.
#include "support.h"

#include "settings/settings_state.h"

#include <cstring>

namespace {

constexpr DWORD Dialog = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME |
                         DS_SETFONT | DS_3DLOOK | DS_CONTEXTHELP;
constexpr DWORD Push = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER;
constexpr DWORD List =
    WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL;
constexpr DWORD Radio = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON;
constexpr DWORD Label = WS_CHILD | WS_VISIBLE | SS_LEFT;
constexpr DWORD Centred = WS_CHILD | WS_VISIBLE | SS_CENTER;

TEST_F(ShellTest, DialogsAsCreated) {
    open();
    // Opened in this order: game settings, detailed settings from it, About, evaluation.
    const struct {
        DWORD style;
        std::vector<std::tuple<int, const char*, DWORD>> controls; // id, class, style
    } dialogs[] = {
        {Dialog | DS_CENTERMOUSE,
         {{109, "Button", Push}, {114, "ComboBox", List}, {101, "Button", Push}}},
        {Dialog,
         {{107, "Button", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_GROUPBOX},
          {101, "ComboBox", List},
          {103, "Static", Label},
          {104, "Static", Label},
          {105, "Static", Label},
          {106, "ComboBox", List},
          {108, "ComboBox", List},
          {102, "Button", Radio},
          {109, "Button", Radio},
          {110, "Button", Radio},
          {111, "Button", Radio},
          {112, "Button", Radio},
          {113, "Button", Radio},
          {114, "Button", Radio},
          {115, "Button", Radio},
          {116, "Button", Radio},
          {117, "Button", Radio},
          {118, "Button", Push}}},
        {Dialog | DS_CENTERMOUSE,
         {{65535, "Static", WS_CHILD | WS_VISIBLE | SS_ETCHEDFRAME},
          {65535, "Static", Centred},
          {65535, "Static", Centred},
          {65535, "Static", Centred},
          {65535, "Static", Centred},
          {41, "Button", Push},
          {102, "Static", Label},
          {103, "Static", Label},
          {104, "Static", Label}}},
        {Dialog, {{101, "Button", Push}}},
    };
    Catcher catcher({[](HWND game) {
                         click(game, 101);
                         SendMessageA(game, WM_CLOSE, 0, 0);
                     },
                     nullptr,
                     [](HWND about) {
                         SendMessageA(about, WM_COMMAND, IDCANCEL, 0);
                         EXPECT_TRUE(IsWindowVisible(about)) << "Esc closed About";
                         click(about, 41);
                     }});
    command(332);
    command(333);
    gamePlatform->openEvaluation();
    ASSERT_EQ(catcher.dialogs.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        std::string got, expected;
        for (const Catcher::Created& c : catcher.created) {
            if (c.parent == catcher.dialogs[i] && (c.style & WS_CHILD)) {
                got += std::to_string(c.id) + " " + c.className + " " + hex(c.style) + "\n";
            }
        }
        for (const auto& [id, name, style] : dialogs[i].controls) {
            expected += std::to_string(id) + " " + name + " " + hex(style) + "\n";
        }
        EXPECT_EQ(got, expected) << catcher.seen[i];
        EXPECT_EQ(hex(catcher.styles[i]), hex(dialogs[i].style | WS_CLIPSIBLINGS))
            << catcher.seen[i];
    }
}

std::string items(HWND list) {
    std::string items;
    for (LRESULT i = 0; i < SendMessageA(list, CB_GETCOUNT, 0, 0); ++i) {
        char item[32] = {};
        SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        items += std::string(i ? " " : "") + item;
    }
    return items;
}
std::string fields(HWND detail) {
    return text(GetDlgItem(detail, 101)) + " " + text(GetDlgItem(detail, 106)) + " " +
           text(GetDlgItem(detail, 108));
}
std::string row(int index) {
    const GradeSetting& grade = gradeTable[index];
    return std::to_string(grade.symbolCount) + " " + std::to_string(grade.showSeconds) + " " +
           std::to_string(grade.tryCount);
}

TEST_F(ShellTest, SettingsDialogsEditTheGradesInPlace) {
    open(); // the factory grades, 9級 chosen
    Catcher catcher({
        [](HWND game) {
            EXPECT_EQ(items(GetDlgItem(game, 114)),
                      "0:10級 1:９級 2:８級 3:７級 4:６級 5:５級 6:４級 7:３級 8:２級 9:１級");
            EXPECT_EQ(text(GetDlgItem(game, 114)), "1:９級");
            click(game, 101);
            click(game, 101);
            setText(game, 114, "5:５級");
            SendMessageA(game, WM_CLOSE, 0, 0);
        },
        [](HWND detail) {
            EXPECT_EQ(IsDlgButtonChecked(detail, 102), 1u) << "10級";
            EXPECT_EQ(fields(detail), "3 3 3") << "10級";
            setText(detail, 101, "12");
            click(detail, 109);
            EXPECT_EQ(fields(detail), "3 3 5") << "9級";
            setText(detail, 101, "4");
            setText(detail, 108, "-3");
            click(detail, 118);
        },
        [](HWND detail) {
            EXPECT_EQ(fields(detail), "12 3 3") << "10級 again";
            setText(detail, 101, "7");
            SendMessageA(detail, WM_CLOSE, 0, 0);
        },
        [](HWND game) {
            setText(game, 114, "5:５級");
            click(game, 109);
        },
    });
    command(332);
    EXPECT_EQ(row(0) + ", " + row(1), "12 3 3, 4 3 -3");
    EXPECT_EQ(gradeIndex, 1) << "the close box keeps the grade";
    EXPECT_EQ(gameState.symbolCount, 4) << "derived again after the dialog";
    command(332);
    EXPECT_EQ(gradeIndex, 5);
    EXPECT_EQ(gameState.symbolCount, 5);
}

// "" when every pixel of dc in the width x height area from (left, top) is as want says.
std::string differences(HDC dc, int left, int top, int width, int height,
                        const std::function<COLORREF(int, int)>& want) {
    int wrong = 0;
    std::string first;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF got = GetPixel(dc, left + x, top + y), expected = want(x, y);
            if (got != expected && wrong++ == 0) {
                first = " first at (" + std::to_string(left + x) + ", " + std::to_string(top + y) +
                        "): got " + hex(got) + ", expected " + hex(expected);
            }
        }
    }
    return wrong ? std::to_string(wrong) + " pixels differ," + first : "";
}

// A memory device context holding the program's bitmap resource id, or a blank one.
struct Memory {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap;
    HGDIOBJ original;
    explicit Memory(int id, int width = 0, int height = 0)
        : bitmap(
              id ? static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                                   IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))
                 : CreateBitmap(width, height, 1, 32, nullptr)),
          original(SelectObject(dc, bitmap)) {}
    ~Memory() {
        SelectObject(dc, original);
        DeleteObject(bitmap);
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
        Memory lines(0, 200, 100), background(2), brain(8), mask(9);
        RECT all = {0, 0, 200, 100};
        FillRect(lines.dc, &all, GetSysColorBrush(COLOR_3DFACE));
        SetBkMode(lines.dc, TRANSPARENT);
        const char* const texts[] = {"文字数9：得点9×4＝36点 おまけ１点", "時間1秒：得点9×3＝27点",
                                     "問題数9：得点9×4＝36点", "間違数0：減点0×5＝0点",
                                     "合計得点：100点／100点"};
        const int tops[] = {300, 318, 336, 354, 376};
        for (int i = 0; i < 5; ++i) {
            TextOutA(lines.dc, 10, tops[i] - 300, texts[i], static_cast<int>(strlen(texts[i])));
        }
        EXPECT_EQ(differences(dc, 0, 300, 200, 96,
                              [&](int x, int y) { return GetPixel(lines.dc, x, y); }),
                  "")
            << "the lines";
        EXPECT_EQ(differences(dc, 70, 65, 160, 130,
                              [&](int x, int y) {
                                  return GetPixel(mask.dc, x, y) == 0
                                             ? GetPixel(brain.dc, x, y)
                                             : GetPixel(background.dc, 70 + x, 65 + y);
                              }),
                  "")
            << "the brain";
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
    const auto paintTwiceThenClose = [](HWND evaluation) {
        RedrawWindow(evaluation, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        SendMessageA(evaluation, WM_CLOSE, 0, 0);
    };
    Catcher catcher(std::vector<Catcher::Step>(4, paintTwiceThenClose));
    gamePlatform->openEvaluation(); // whatever a first opening keeps for good
    const int before = liveGdiObjects();
    for (int i = 0; i < 3; ++i) {
        gamePlatform->openEvaluation();
    }
    EXPECT_EQ(liveGdiObjects(), before) << "GDI objects alive after three more openings";
}

} // namespace
