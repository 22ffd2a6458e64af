// The main window, its toolbar and commands, and the settings file, driven with window messages.
#include "support.h"

#include "evaluation/game_record.h"
#include "settings/settings_io_win.h"
#include "shell/help_win.h"
#include "shell/shell_texts.h"

#include <commctrl.h>

static const std::string Refused = u8"ライトエラー: (warning) [1 OK] ファイルが書けません";

// This run reads the program under the code page the test command asks for: 932 (Japanese) or a
// Western one. Every test here holds under both.
TEST(CodePage, IsTheOneOfThisRun) {
    const char* expected = std::getenv("MABATAKIBAN_CODE_PAGE");
    EXPECT_EQ(std::to_string(GetACP()), expected ? expected : "932");
}

TEST_F(ShellTest, WindowClassAndRouting) {
    open();
    gameState.tryCount = 1; // 9級 with a game of one problem
    Catcher evaluation;
    WNDCLASSA info{};
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "Main Window", &info));
    EXPECT_EQ(hex(info.style), hex(CS_VREDRAW | CS_HREDRAW | CS_BYTEALIGNCLIENT));
    EXPECT_EQ(info.hIcon, LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(101)));
    EXPECT_EQ(text(window), u8"瞬記盤「まばたきばん」 Ver1.20");

    ShowWindow(window, SW_SHOW);
    const HWND toolbar = GetDlgItem(window, 329);
    SetFocus(toolbar);
    SendMessageA(window, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(GetFocus(), toolbar) << "WM_ACTIVATE moved the focus";

    const auto phase = [] { return static_cast<int>(gameState.phase); };
    const auto notBlack = [&](const RECT& box) { return 32 * 32 - Canvas(window).count(0, box); };
    command(330);
    ASSERT_EQ(phase(), 1) << "Showing";
    const Cell target = gameState.problems.problems[0].cells[0];
    const RECT box = {target.column * 32, target.row * 32 + 40, target.column * 32 + 32,
                      target.row * 32 + 72};
    const int symbol = notBlack(box);
    EXPECT_GT(symbol, 0) << "the target's symbol";
    SendMessageA(window, WM_TIMER, 1, 0);
    EXPECT_EQ(phase(), 2) << "Covered";
    EXPECT_GT(notBlack(box), symbol) << "a white box over the symbol";
    SendMessageA(window, WM_TIMER, 1, 0);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.left + 16, box.top + 16));
    EXPECT_EQ(static_cast<int>(gameState.feedback), 2) << "Correct";
    SendMessageA(window, WM_TIMER, 2, 0);
    EXPECT_EQ(evaluation.seen.size(), 1u) << "the game ended";
    const std::string record = readFile("record.csv");
    EXPECT_EQ(record.size(), 84u) << record; // the header and one line
    EXPECT_EQ(record.substr(69), ",9,3,3,1,0,38\r\n");
    SendMessageA(window, WM_TIMER, 1, 0); // Idle: a board without cells
    EXPECT_EQ(notBlack(box), 0) << "the green target was not erased";

    gameState.showMillis = 10; // the program's own phase timer, for real
    command(330);
    MSG message;
    for (const DWORD end = GetTickCount() + 5000; phase() == 1 && GetTickCount() < end;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
    }
    EXPECT_EQ(phase(), 2) << "no tick of the phase timer covered the symbols";
}

// Centred on the whole screen, truncating toward zero on screens smaller than the window; a
// monitor's rectangle may start anywhere.
TEST(MainWindow, CentredOnTheScreen) {
    const std::pair<RECT, POINT> places[] = {
        {{0, 0, 1024, 768}, {189, 106}},
        {{0, 0, 640, 480}, {-3, -38}},
        {{0, 0, 645, 556}, {0, 0}},
        {{-1024, 100, 0, 868}, {-835, 206}},
    };
    for (const auto& [screen, place] : places) {
        const POINT got = mainWindowPosition(screen, {646, 556});
        EXPECT_TRUE(got.x == place.x && got.y == place.y)
            << screen.right << " x " << screen.bottom << ": " << got.x << ", " << got.y;
    }
}

TEST_F(ShellTest, ReadsWithoutAFileStopsThePhaseTimerThenSavesThenQuits) {
    const auto save = [&](HWND) {
        EXPECT_FALSE(KillTimer(window, 1)) << "the phase timer still ran during the save";
    };
    // The read error, then the write error. A quit posted before the save would end the write
    // error's loop before the box is ever seen.
    Catcher catcher({nullptr, save});
    DeleteFileA("setdata.ini");
    open();
    EXPECT_EQ(gradeIndex, 1) << "9級";
    EXPECT_EQ(gameState.tryCount, 5) << "9級 of the factory grades";
    command(330);                    // the phase timer runs
    writeFile("setdata.ini", "old"); // read-only, so that the save fails and says so
    SetFileAttributesA("setdata.ini", FILE_ATTRIBUTE_READONLY);
    DestroyWindow(window);
    EXPECT_EQ(catcher.seen,
              (std::vector<std::string>{u8"リードエラー: (warning) [1 OK] 設定ファイルがありません",
                                        Refused}));
    MSG quit{};
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 0u);
}

TEST_F(ShellTest, SavingKeepsThePlayersFiles) {
    // A folder of 250 characters, where the full names of its files pass MAX_PATH.
    wchar_t temp[MAX_PATH] = {};
    std::wstring deep(temp, GetTempPathW(MAX_PATH, temp));
    deep = L"\\\\?\\" + deep + std::wstring(250 - deep.size(), L'd');
    const std::tuple<const char*, DWORD, std::string> cases[] = {
        {"read-only", FILE_ATTRIBUTE_READONLY, "old"},
        {"hidden", FILE_ATTRIBUTE_HIDDEN, DefaultFile},
        {"held open elsewhere", 0, "old"},
        {"a folder", FILE_ATTRIBUTE_DIRECTORY, "<missing>"},
        {"in a deep folder", FILE_ATTRIBUTE_NORMAL, DefaultFile},
    };
    for (const auto& [setdata, attributes, after] : cases) {
        SCOPED_TRACE(setdata);
        Scratch scratch(attributes == FILE_ATTRIBUTE_NORMAL ? deep : L"");
        writeFile("setdata.ini.new", "the player's own");
        CreateDirectoryA(attributes == FILE_ATTRIBUTE_DIRECTORY ? "setdata.ini" : "", nullptr);
        writeFile("setdata.ini", "old"); // not into a folder
        SetFileAttributesA("setdata.ini", attributes);
        HANDLE held = attributes ? INVALID_HANDLE_VALUE
                                 : CreateFileA("setdata.ini", GENERIC_READ, 0, nullptr,
                                               OPEN_EXISTING, 0, nullptr);
        Catcher catcher;
        loadDefaultGrades();
        gradeIndex = 1;
        writeSettings(nullptr);
        writeSettings(nullptr); // over what the first save left
        CloseHandle(held);
        EXPECT_EQ(catcher.seen, std::vector<std::string>(after != DefaultFile ? 2 : 0, Refused));
        EXPECT_EQ(readFile("setdata.ini"), after);
        EXPECT_EQ(hex(GetFileAttributesA("setdata.ini") & 0x13), hex(attributes & 0x13))
            << "read-only 1, hidden 2, folder 0x10";
        EXPECT_EQ(readFile("setdata.ini.new"), "the player's own");
        WIN32_FIND_DATAA left;
        EXPECT_EQ(FindFirstFileA("set*.tmp", &left), INVALID_HANDLE_VALUE) << left.cFileName;
    }
}

TEST_F(ShellTest, ToolbarHoldsSevenButtonsInThreeGroupsWithTheirTips) {
    const int commands[15] = {330, 331, 0, 0, 0, 0, 332, 333, 0, 0, 0, 0, 334, 335, 336};
    const std::pair<UINT_PTR, std::string> tips[] = {
        {330, u8"スタート"},   {331, u8"スタート"},  {332, u8"ゲーム設定"},
        {333, u8"バージョン"}, {334, u8"Webヘルプ"}, {335, u8"ホームページ"},
        {336, u8"終了"},       {329, "as it was"},   {337, "as it was"},
    };
    open();
    const HWND toolbar = GetDlgItem(window, 329);
    // Measured under Wine: the control adds CCS_TOP by itself, and nothing else.
    EXPECT_EQ(
        hex(GetWindowLongA(toolbar, GWL_STYLE)),
        hex(WS_CHILD | WS_VISIBLE | CCS_ADJUSTABLE | TBSTYLE_TOOLTIPS | TBSTYLE_ALTDRAG | CCS_TOP));
    ASSERT_EQ(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 15);
    for (int i = 0; i < 15; ++i) {
        TBBUTTON button{};
        SendMessageA(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        EXPECT_EQ(button.fsStyle & TBSTYLE_SEP ? 0 : button.idCommand, commands[i]) << i;
        EXPECT_EQ(commands[i] ? button.iBitmap : 0, commands[i] ? commands[i] - 330 : 0)
            << "image at " << i;
    }
    for (const auto& [id, tip] : tips) { // answered through the window
        wchar_t untouched[] = L"as it was";
        TOOLTIPTEXTW record{
            {nullptr, id, static_cast<UINT>(TTN_NEEDTEXTW)}, untouched, {}, {}, 0, 0};
        SendMessageW(window, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&record));
        EXPECT_EQ(utf8(record.lpszText), tip) << "id " << id;
        EXPECT_EQ(record.hinst, GetModuleHandleW(nullptr)) << "id " << id;
    }
    // Other notifications come with structures of their own (the narrow tooltip request's
    // buffer is half as long): none is written to, and none is answered but with 0.
    for (const int code : {TTN_NEEDTEXTA, TBN_QUERYINSERT}) {
        NMHDR record[16], before[16]; // room for either structure
        std::memset(record, 0x5A, sizeof record);
        record[0] = {nullptr, 330, static_cast<UINT>(code)};
        std::memcpy(before, record, sizeof record);
        EXPECT_EQ(SendMessageW(window, WM_NOTIFY, 330, reinterpret_cast<LPARAM>(record)), 0);
        EXPECT_EQ(std::memcmp(before, record, sizeof record), 0) << "code " << code;
    }
}

// Published with a home page and a help page on the web, and with neither: then the home page is
// the game's own help, and where that cannot be written out nothing opens and the player is told.
TEST_F(ShellTest, WebButtonsGiveTheBrowserOneAddressOrSayWhyNot) {
    open();
    Catcher catcher;
    homePageAddress = "https://maker.invalid/";
    helpPageAddress = "https://maker.invalid/help.html";
    {
        Browser missing(false);
        command(335);
    }
    EXPECT_EQ(catcher.seen, std::vector<std::string>{
                                u8"残念！: [1 OK] Internet Explorerが見つかりませんでした。"});
    Browser browser(true);
    EXPECT_EQ(browser.started([&] { command(335); }), "https://maker.invalid/\n");
    wchar_t temp[MAX_PATH] = {};
    GetEnvironmentVariableW(L"TMP", temp, MAX_PATH);
    const auto unwritable = [&](bool on) {
        SetEnvironmentVariableW(L"TMP", on ? L"C:\\no such folder" : temp);
    };
    unwritable(true);
    EXPECT_EQ(browser.started([&] { command(334); }), "https://maker.invalid/help.html\n");
    unwritable(false);
    EXPECT_EQ(catcher.seen.size(), 1u) << "a message although the browser started";

    homePageAddress = helpPageAddress = "";
    const std::string help = browser.started([&] { command(334); });
    EXPECT_EQ(help.rfind("file:///", 0), 0u) << help;
    EXPECT_EQ(browser.started([&] { command(335); }), help);
    unwritable(true);
    command(334);
    command(335);
    unwritable(false);
    EXPECT_EQ(std::vector<std::string>(catcher.seen.begin() + 1, catcher.seen.end()),
              std::vector<std::string>(
                  2, u8"残念！: (warning) [1 OK] ヘルプのページを書き出せませんでした。"));
    homePageAddress = HOME_PAGE_ADDRESS;
    helpPageAddress = HELP_PAGE_ADDRESS;
}

// record.csv held open by another program: a spreadsheet shares it for reading only.
static HANDLE holdRecord(DWORD access, DWORD share) {
    return CreateFileA("record.csv", access, share, nullptr, OPEN_ALWAYS, 0, nullptr);
}

// Games that end with these miss counts, as a game of one problem of three symbols leaves them.
static void play(std::vector<int> missCounts) {
    Catcher evaluations;
    for (const int count : missCounts) {
        gameState.scoreBasis = {3, 3, 1};
        gameState.missCount = count;
        gamePlatform->openEvaluation(); // where a game ends
    }
}

// The miss counts of the games in record.csv, in order.
static std::string misses() {
    std::string misses;
    for (const GameRecord& game : parseRecords(readFile("record.csv"), true)) {
        misses += std::to_string(game.misses);
    }
    return misses;
}

// Every finished game goes to record.csv, once: after a spreadsheet's save of it and a last line
// cut short; beside another copy of the game appending too; while a spreadsheet holds it (shared
// for reading only), with the next game's line or, after the end of the run, with the next run's.
// The help page charts the record, read from its end.
TEST_F(ShellTest, FinishedGamesAreRecordedOnceWhateverHoldsTheRecord) {
    // As a spreadsheet saved it again, its start too far from its end to be read.
    writeFile("record.csv", recordHeader() + std::string(140000, 'x') +
                                "\r\n\"2026/12/7 20:42\",9,3,3,1,9,-7\r\n");
    open(); // 9級 chosen
    HANDLE copy = holdRecord(FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE);
    play({0});
    CloseHandle(copy);
    EXPECT_EQ(misses(), "90") << "beside another copy of the game";
    std::ofstream("record.csv", std::ios::app | std::ios::binary) << std::string("\0\xff,9,", 5);
    HANDLE sheet = holdRecord(GENERIC_READ, FILE_SHARE_READ);
    play({1, 2});
    CloseHandle(sheet);
    play({3});
    sheet = holdRecord(GENERIC_READ, FILE_SHARE_READ);
    play({4, 5});
    close();
    CloseHandle(sheet);
    // The first of them (84 bytes with the header) went in, and the machine stopped before the
    // pending file went.
    std::ofstream("record.csv", std::ios::app | std::ios::binary)
        << readFile("record-pending.csv").substr(0, 84);
    open();
    play({6});
    EXPECT_EQ(misses(), "90123456");
    EXPECT_EQ(readFile("record-pending.csv"), "<missing>");
    // The first game on the chart, in the colour of 9級, at y 320 for -7 points.
    ASSERT_TRUE(writeHelpPage(L"help.html"));
    EXPECT_NE(readFile("help.html").find("<circle cx=\"54\" cy=\"320\" r=\"4\" fill=\"#f28e2b\">"),
              std::string::npos);
}

// Games waiting beside a record that the next run still finds held stay whole in the pending
// file, that run's games after them; the run after appends them all and removes the file.
TEST_F(ShellTest, WaitingGamesStayWholeWhileTheRecordIsStillHeld) {
    writeFile("record.csv", recordHeader() + "2026-11-30 20:00:00,9,3,3,1,0,38\r\n");
    const std::string waiting =
        "2026-12-01 20:00:00,9,3,3,1,1,33\r\n2026-12-01 20:05:00,9,3,3,1,2,28\r\n";
    writeFile("record-pending.csv", waiting);
    HANDLE sheet = holdRecord(GENERIC_READ, FILE_SHARE_READ);
    open();
    play({3});
    EXPECT_EQ(readFile("record-pending.csv"), waiting) << "after a game";
    close();
    EXPECT_EQ(readFile("record-pending.csv").substr(0, waiting.size()), waiting) << "after the run";
    CloseHandle(sheet);
    open();
    play({4});
    EXPECT_EQ(misses(), "01234");
    EXPECT_EQ(readFile("record-pending.csv"), "<missing>");
}
