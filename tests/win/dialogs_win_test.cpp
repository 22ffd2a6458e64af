// The four dialogs as the program opens them over its main window.
#include "support.h"

// A dialog is created without WS_VISIBLE: the dialog manager shows it once it is complete.
constexpr DWORD Dialog =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_3DLOOK | DS_CONTEXTHELP;
constexpr DWORD Push = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER;
constexpr DWORD List =
    WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL;
constexpr DWORD Radio = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON;
constexpr DWORD Label = WS_CHILD | WS_VISIBLE | SS_LEFT;
constexpr DWORD Centred = WS_CHILD | WS_VISIBLE | SS_CENTER;
static const char *const B = "Button", *const C = "ComboBox", *const S = "Static";
static const auto c = control;

TEST_F(ShellTest, DialogsAsCreated) {
    // In the order opened: game settings, detailed settings from it, About, evaluation.
    const std::vector<std::string> dialogs = {
        hex(Dialog | DS_CENTERMOUSE) + "\n" + c(109, B, Push) + c(114, C, List) + c(101, B, Push),
        hex(Dialog) + "\n" + c(107, B, WS_CHILD | WS_VISIBLE | WS_GROUP | BS_GROUPBOX) +
            c(101, C, List) + c(103, S, Label) + c(104, S, Label) + c(105, S, Label) +
            c(106, C, List) + c(108, C, List) + c(102, B, Radio) + c(109, B, Radio) +
            c(110, B, Radio) + c(111, B, Radio) + c(112, B, Radio) + c(113, B, Radio) +
            c(114, B, Radio) + c(115, B, Radio) + c(116, B, Radio) + c(117, B, Radio) +
            c(118, B, Push),
        hex(Dialog | DS_CENTERMOUSE) + "\n" + c(65535, S, WS_CHILD | WS_VISIBLE | SS_ETCHEDFRAME) +
            c(65535, S, Centred) + c(65535, S, Centred) + c(65535, S, Centred) +
            c(65535, S, Centred) + c(41, B, Push) + c(102, S, Label) + c(103, S, Label) +
            c(104, S, Label),
        hex(Dialog) + "\n" + c(101, B, Push),
    };
    open();
    const auto about = [](HWND about) {
        SendMessageA(about, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(IsWindowVisible(about)) << "Esc closed About";
        click(about, 41);
        EXPECT_FALSE(IsWindowVisible(about)) << "閉じる did not close About";
    };
    Catcher catcher({[](HWND game) { click(game, 101); }, nullptr, about});
    command(332);
    command(333);
    gamePlatform->openEvaluation();
    EXPECT_EQ(catcher.created, dialogs);
}

static std::string texts(HWND dialog, std::vector<int> ids) {
    std::string texts;
    for (int id : ids) {
        texts += (texts.empty() ? "" : " ") + text(GetDlgItem(dialog, id));
    }
    return texts;
}

TEST_F(ShellTest, SettingsDialogsEditTheGradesInPlace) {
    open(); // the factory grades, 9級 chosen
    const auto gameClosed = [](HWND game) {
        std::string items;
        for (int i = 0; i < SendDlgItemMessageW(game, 114, CB_GETCOUNT, 0, 0); ++i) {
            wchar_t item[32] = {};
            SendDlgItemMessageW(game, 114, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
            items += utf8(item) + " ";
        }
        EXPECT_EQ(items,
                  u8"0:10級 1:９級 2:８級 3:７級 4:６級 5:５級 6:４級 7:３級 8:２級 9:１級 ");
        EXPECT_EQ(texts(game, {114}), u8"1:９級");
        click(game, 101);
        click(game, 101);
        SetDlgItemTextW(game, 114, L"5:５級"); // then closed with the close box
    };
    const auto detailFirst = [](HWND detail) {
        EXPECT_EQ(IsDlgButtonChecked(detail, 102), 1u) << "10級";
        EXPECT_EQ(texts(detail, {101, 106, 108}), "3 3 3") << "10級";
        SetDlgItemTextW(detail, 101, L"12");
        click(detail, 109);
        EXPECT_EQ(texts(detail, {101, 106, 108}), "3 3 5") << "9級";
        SetDlgItemTextW(detail, 101, L"4");
        SetDlgItemTextW(detail, 106, L"1234567890"); // nine bytes are read
        SetDlgItemTextW(detail, 108, L"-3");
        click(detail, 118);
    };
    const auto detailClosed = [](HWND detail) {
        EXPECT_EQ(texts(detail, {101, 106, 108}), "12 3 3") << "10級 again";
        SetDlgItemTextW(detail, 101, L"7"); // then closed with the close box
    };
    const auto gameOk = [](HWND game) {
        // The full-width １ of 1級 begins with the Shift-JIS lead byte 0x82: index 2, 8級.
        SetDlgItemTextW(game, 114, L"１級");
        click(game, 109);
    };
    Catcher catcher({gameClosed, detailFirst, detailClosed, gameOk});
    command(332);
    EXPECT_EQ(gradeTable[0].symbolCount, 12);
    EXPECT_EQ(gradeTable[1].symbolCount, 4);
    EXPECT_EQ(gradeTable[1].showSeconds, 123456789);
    EXPECT_EQ(gradeTable[1].tryCount, -3);
    EXPECT_EQ(gradeIndex, 1) << "the close box keeps the grade";
    EXPECT_EQ(gameState.symbolCount, 4) << "derived again after the dialog";
    command(332);
    EXPECT_EQ(gradeIndex, 2);
    EXPECT_EQ(gameState.tryCount, 7);
}

// A memory device context holding the program's bitmap resource id.
struct Picture {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ bitmap;
    explicit Picture(int id)
        : bitmap(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0,
                            LR_CREATEDIBSECTION)) {
        SelectObject(dc, bitmap);
    }
    ~Picture() { DeleteDC(dc), DeleteObject(bitmap); }
};

// Wine keeps every GDI object in one table, and a handle without its upper half names whatever
// lives in its slot: counting the slots in use counts the objects alive.
static int liveGdiObjects() {
    int count = 0;
    for (INT_PTR slot = 1; slot < 0x10000; ++slot) {
        count += GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0;
    }
    return count;
}

TEST_F(ShellTest, EvaluationDrawsTheLinesAndTheBrainAndKeepsNothing) {
    open();
    gameState.scoreBasis = {9, 1, 9}; // no miss: 100 points, the sixth brain
    Catcher catcher({[](HWND evaluation) {
        // The lines as a Japanese system draws them: in its system font (18 pixels, 8 wide,
        // normal weight, the Japanese character set), black on the dialog's own colour, at x 10
        // and y 300, 318, 336, 354 and 376 (left of the OK button).
        HDC dc = GetDC(evaluation);
        Picture japanese(0);
        japanese.bitmap = CreateCompatibleBitmap(dc, 200, 96);
        SelectObject(japanese.dc, japanese.bitmap);
        const RECT lines = {0, 0, 200, 96};
        FillRect(japanese.dc, &lines, GetSysColorBrush(COLOR_3DFACE));
        SelectObject(japanese.dc, CreateFontW(18, 8, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0,
                                              0, 0, 0, L"System"));
        SetBkMode(japanese.dc, TRANSPARENT);
        for (const auto& [top, line] :
             {std::pair(0, L"文字数9：得点9×4＝36点 おまけ１点"),
              std::pair(18, L"時間1秒：得点9×3＝27点"), std::pair(36, L"問題数9：得点9×4＝36点"),
              std::pair(54, L"間違数0：減点0×5＝0点"), std::pair(76, L"合計得点：100点／100点")}) {
            TextOutW(japanese.dc, 10, top, line, lstrlenW(line));
        }
        int unlike = 0;
        for (int y = 0; y < 96; ++y) {
            for (int x = 0; x < 200; ++x) {
                unlike += GetPixel(dc, x, 300 + y) != GetPixel(japanese.dc, x, y);
            }
        }
        EXPECT_EQ(unlike, 0) << "pixels of the lines unlike a Japanese system's";
        DeleteObject(SelectObject(japanese.dc, GetStockObject(SYSTEM_FONT)));

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
    gamePlatform->openEvaluation(); // and whatever a first opening keeps for good
    const int live = liveGdiObjects();
    for (int i = 0; i < 3; ++i) { // each painted once
        gamePlatform->openEvaluation();
    }
    EXPECT_EQ(catcher.seen.size(), 4u);
    EXPECT_EQ(liveGdiObjects(), live) << "GDI objects alive after three more openings";
}
