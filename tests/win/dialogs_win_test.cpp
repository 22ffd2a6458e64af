// The four dialogs as the program opens them over its main window.
#include "support.h"

// Enter and Esc as a player presses them: to the focused control, through the dialog manager as
// a modal loop hands them to it. No dialog takes either key: each stays open and changes nothing.
static void pressEnterAndEsc(HWND dialog) {
    for (const WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
            IsDialogMessageW(dialog, &message) || DispatchMessageW(&message);
        }
        EXPECT_TRUE(IsWindowVisible(dialog)) << text(dialog) << " closed by key " << key;
    }
}

// Every caption and control text of the four dialogs, as the program opens them. Enter and Esc on
// the only button of two of them (the settings dialogs take them below).
TEST_F(ShellTest, DialogsReadInJapanese) {
    open();
    const auto about = [](HWND about) {
        // Every line whole within its rectangle, in the dialog's font.
        HDC dc = GetDC(about);
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(about, WM_GETFONT, 0, 0)));
        for (HWND c = GetWindow(about, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            wchar_t line[128] = {};
            SIZE extent{};
            GetTextExtentPoint32W(dc, line, GetWindowTextW(c, line, 128), &extent);
            EXPECT_LE(extent.cx, Canvas::size(c).cx) << utf8(line);
        }
        ReleaseDC(about, dc);
        pressEnterAndEsc(about);
        click(about, 41);
        EXPECT_FALSE(IsWindowVisible(about)) << "閉じる did not close About";
    };
    Catcher catcher({[](HWND game) { click(game, 101); }, nullptr, about, pressEnterAndEsc});
    command(332);
    command(333);
    gamePlatform->openEvaluation();
    EXPECT_EQ(catcher.seen,
              (std::vector<std::string>{
                  u8"ゲーム設定: [109 ＯＫ] 1:９級 [101 詳細設定]",
                  u8"詳細設定: [107 各級の設定] 3 文字の数 表示時間 トライ回数 3 3 [102 １０級] "
                  u8"[109 ９級] [110 ８級] [111 ７級] [112 ６級] [113 ５級] [114 ４級] [115 ３級] "
                  u8"[116 ２級] [117 １級] [118 ＯＫ]",
                  u8"このソフトについて: Frame1 制作：まばたきばん制作室 InterFace : Windods API "
                  u8"ホームページ：ゲーム内のヘルプ Compiler : mingw-w64 GCC [41 閉じる] "
                  u8"バージョン１．２０ "
                  u8"わすれないでね 画面に出てくる数字を憶えるゲーム",
                  u8"あなたの脳レベルの評価: [101 OK]"}));
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
        SetDlgItemTextW(game, 114, L"5:５級"); // Enter and Esc in the field, then the close box
        SetFocus(GetDlgItem(game, 114));
        pressEnterAndEsc(game);
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
        SetDlgItemTextW(detail, 101, L"7"); // Enter and Esc in the field, then the close box
        pressEnterAndEsc(detail);
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

// Wine keeps every GDI object in one table, and a handle without its upper half names whatever
// lives in its slot: counting the slots in use counts the objects alive.
static int liveGdiObjects() {
    int count = 0;
    for (INT_PTR slot = 1; slot < 0x10000; ++slot) {
        count += GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0;
    }
    return count;
}

// What it draws is read at each display scale with the scale tests.
TEST_F(ShellTest, EvaluationKeepsNothing) {
    open();
    Catcher catcher;
    // Whatever the first openings keep for good (Wine makes some of it only at the second, in a
    // process that has opened no dialog before).
    gamePlatform->openEvaluation();
    gamePlatform->openEvaluation();
    const int live = liveGdiObjects();
    for (int i = 0; i < 3; ++i) { // each painted once
        gamePlatform->openEvaluation();
    }
    EXPECT_EQ(catcher.seen.size(), 5u);
    EXPECT_EQ(liveGdiObjects(), live) << "GDI objects alive after three more openings";
}

// Every dialog's template as designed: a fixed frame with a caption, its close and help buttons
// and no sizing border; its place and size.
TEST(DialogTemplates, FixedFramesAsDesigned) {
    const DWORD frame = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME |
                        DS_SETFONT | DS_3DLOOK | DS_CONTEXTHELP;
    const struct {
        int id;
        DWORD style;
        std::vector<short> box;
    } designed[] = {
        {2, frame | DS_CENTERMOUSE, {0, 0, 97, 53}},
        {3, frame, {0, 0, 170, 270}},
        {4, frame, {0, 0, 172, 123}},
        {21, frame | DS_CENTERMOUSE, {0, 0, 122, 136}},
    };
    for (const auto& d : designed) {
        HRSRC found =
            FindResourceW(nullptr, MAKEINTRESOURCEW(d.id), reinterpret_cast<LPCWSTR>(RT_DIALOG));
        ASSERT_NE(found, nullptr) << "dialog " << d.id;
        const auto* t = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(nullptr, found)));
        EXPECT_EQ(hex(t->style), hex(d.style)) << "dialog " << d.id;
        EXPECT_EQ(hex(t->dwExtendedStyle), hex(0)) << "dialog " << d.id;
        EXPECT_EQ((std::vector<short>{t->x, t->y, t->cx, t->cy}), d.box) << "dialog " << d.id;
    }
}
