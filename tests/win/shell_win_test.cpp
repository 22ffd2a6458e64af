// The main window, its toolbar and commands, and the settings file, driven with window messages.
#include "support.h"

#include "settings/settings_io_win.h"

#include <commctrl.h>

static const std::string Refused = "ライトエラー: (warning) [1] ファイルが書けません";

TEST_F(ShellTest, WindowClassAndRouting) {
    open();
    WNDCLASSA info{};
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "Main Window", &info));
    EXPECT_EQ(hex(info.style), hex(CS_VREDRAW | CS_HREDRAW | CS_BYTEALIGNCLIENT));
    EXPECT_EQ(info.hIcon, LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(101)));
    EXPECT_EQ(text(window), "瞬記盤「まばたきばん」 Ver1.20");
    RECT place;
    GetWindowRect(window, &place);
    EXPECT_EQ(place.right - place.left, 646);
    EXPECT_EQ(place.bottom - place.top, 556);
    EXPECT_EQ(place.left, (GetSystemMetrics(SM_CXSCREEN) - 646) / 2) << "centred";
    EXPECT_EQ(place.top, (GetSystemMetrics(SM_CYSCREEN) - 556) / 2) << "centred";

    ShowWindow(window, SW_SHOW);
    const HWND toolbar = GetDlgItem(window, 329);
    SetFocus(toolbar);
    SendMessageA(window, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(GetFocus(), toolbar) << "WM_ACTIVATE moved the focus";

    const auto phase = [] { return static_cast<int>(gameState.phase); };
    const auto notBlack = [&](const RECT& box) { return pixelsOtherThan(window, box, 0); };
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
    EXPECT_EQ(gameState.problemIndex, 1);
    EXPECT_EQ(phase(), 4) << "Interval";
    gameState.phase = GamePhase::Idle; // a board without cells: all black once repainted
    SendMessageA(window, WM_TIMER, 1, 0);
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

TEST_F(ShellTest, ReadsWithoutAFileStopsThePhaseTimerThenSavesThenQuits) {
    MSG quit{};
    const auto save = [&](HWND) {
        EXPECT_FALSE(KillTimer(window, 1)) << "the phase timer still ran during the save";
        EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE))
            << "WM_QUIT came before the save";
    };
    Catcher catcher({nullptr, save}); // the read error, then the write error
    DeleteFileA("setdata.ini");
    open();
    EXPECT_EQ(gradeIndex, 1) << "9級";
    EXPECT_EQ(gameState.tryCount, 5) << "9級 of the factory grades";
    command(330);                    // the phase timer runs
    writeFile("setdata.ini", "old"); // read-only, so that the save fails and says so
    SetFileAttributesA("setdata.ini", FILE_ATTRIBUTE_READONLY);
    DestroyWindow(window);
    EXPECT_EQ(catcher.seen, (std::vector<std::string>{
                                "リードエラー: (warning) [1] 設定ファイルがありません", Refused}));
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 0u);
}

TEST_F(ShellTest, SavingKeepsThePlayersFiles) {
    const std::tuple<const char*, DWORD, const char*> cases[] = {
        {"read-only", FILE_ATTRIBUTE_READONLY, "old"},
        {"hidden", FILE_ATTRIBUTE_HIDDEN, DefaultFile},
        {"held open elsewhere", 0, "old"},
        {"a folder", FILE_ATTRIBUTE_DIRECTORY, "<missing>"},
    };
    for (const auto& [setdata, attributes, after] : cases) {
        SCOPED_TRACE(setdata);
        Scratch scratch;
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
        CloseHandle(held);
        EXPECT_EQ(catcher.seen, std::vector<std::string>(after != DefaultFile, Refused));
        EXPECT_EQ(readFile("setdata.ini"), after);
        EXPECT_EQ(hex(GetFileAttributesA("setdata.ini") & 0x13), hex(attributes))
            << "read-only 1, hidden 2, folder 0x10";
        EXPECT_EQ(readFile("setdata.ini.new"), "the player's own");
        WIN32_FIND_DATAA left;
        EXPECT_EQ(FindFirstFileA("set*.tmp", &left), INVALID_HANDLE_VALUE) << left.cFileName;
    }
}

// Adds two images of its own before the program adds its strip, so that the strip's images no
// longer start at 0.
static LRESULT CALLBACK addTwoImagesFirst(int code, WPARAM wParam, LPARAM lParam) {
    static HBITMAP two = CreateBitmap(64, 32, 1, 32, nullptr); // lives as long as the program
    const CWPSTRUCT& call = *reinterpret_cast<CWPSTRUCT*>(lParam);
    if (call.message == TB_ADDBITMAP && call.wParam == 7) {
        TBADDBITMAP own = {nullptr, reinterpret_cast<UINT_PTR>(two)};
        SendMessageA(call.hwnd, TB_ADDBITMAP, 2, reinterpret_cast<LPARAM>(&own));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(ShellTest, ToolbarHoldsSevenButtonsInThreeGroupsWithTheirTips) {
    const int commands[15] = {330, 331, 0, 0, 0, 0, 332, 333, 0, 0, 0, 0, 334, 335, 336};
    const std::pair<UINT_PTR, std::string> tips[] = {
        {330, "スタート"},   {331, "スタート"},  {332, "ゲーム設定"},
        {333, "バージョン"}, {334, "Webヘルプ"}, {335, "ホームページ"},
        {336, "終了"},       {329, "as it was"}, {337, "as it was"},
    };
    const std::vector<TBBUTTON> table(std::begin(toolbarButtons), std::end(toolbarButtons));
    for (int firstImage : {0, 2}) {
        // No hook (a null procedure) while the strip is to start at image 0.
        HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, firstImage ? addTwoImagesFirst : nullptr,
                                       nullptr, GetCurrentThreadId());
        open();
        UnhookWindowsHookEx(hook);
        std::copy(table.begin(), table.end(), toolbarButtons); // the program adds the first image
        const HWND toolbar = GetDlgItem(window, 329);
        // Measured under Wine: the control adds CCS_TOP by itself, and nothing else.
        EXPECT_EQ(hex(GetWindowLongA(toolbar, GWL_STYLE)),
                  hex(WS_CHILD | WS_VISIBLE | CCS_ADJUSTABLE | TBSTYLE_TOOLTIPS | TBSTYLE_ALTDRAG |
                      CCS_TOP));
        ASSERT_EQ(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 15);
        for (int i = 0; i < 15; ++i) {
            TBBUTTON button{};
            SendMessageA(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
            EXPECT_EQ(button.fsStyle & TBSTYLE_SEP ? 0 : button.idCommand, commands[i]) << i;
            EXPECT_EQ(commands[i] ? button.iBitmap : 0,
                      commands[i] ? commands[i] - 330 + firstImage : 0)
                << "image at " << i << ", the strip added at image " << firstImage;
        }
        for (const auto& [id, tip] : tips) { // answered through the window
            char untouched[] = "as it was";
            TOOLTIPTEXTA record{
                {nullptr, id, static_cast<UINT>(TTN_NEEDTEXTA)}, untouched, {}, {}, 0, 0};
            SendMessageA(window, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&record));
            EXPECT_EQ(record.lpszText, tip) << "id " << id;
            EXPECT_EQ(record.hinst, GetModuleHandleA(nullptr)) << "id " << id;
        }
        close();
    }
}

TEST_F(ShellTest, HomePageStartsTheBrowserOrSaysItIsMissing) {
    const std::string browser = "C:\\Program Files\\Internet Explorer\\iexplore.exe";
    MoveFileA(browser.c_str(), (browser + ".aside").c_str()); // Wine's own, back at the end
    DeleteFileA(browser.c_str());
    open();
    Catcher catcher;
    command(335);
    EXPECT_EQ(catcher.seen,
              std::vector<std::string>{"残念！: [1] Internet Explorerが見つかりませんでした。"});

    // The stand-in, also where an unquoted path would find a program first.
    std::string standIn(MAX_PATH, '\0');
    standIn.resize(GetModuleFileNameA(nullptr, standIn.data(), MAX_PATH));
    standIn = standIn.substr(0, standIn.rfind('\\') + 1) + "browser_stand_in.exe";
    CopyFileA(standIn.c_str(), browser.c_str(), FALSE);
    CopyFileA(standIn.c_str(), "C:\\Program.exe", FALSE);
    HANDLE started = CreateEventA(nullptr, FALSE, FALSE, "mabatakiban-browser-started");
    command(335);
    EXPECT_EQ(WaitForSingleObject(started, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(catcher.seen.size(), 1u) << "a message although the browser started";
    std::string log = readFile(browser + ".log"); // the command line, then the process id
    HANDLE process =
        OpenProcess(SYNCHRONIZE, FALSE, std::strtoul(&log[log.find('\n') + 1], nullptr, 10));
    WaitForSingleObject(process, 10000); // a program still running cannot be deleted
    CloseHandle(process);
    CloseHandle(started);
    log.erase(std::remove(log.begin(), log.end(), '"'), log.end()); // Wine quotes the path
    EXPECT_EQ(log.substr(0, log.find('\n')), browser + " https://example.com/");
    for (const std::string& file : {browser, std::string("C:\\Program.exe")}) {
        DeleteFileA(file.c_str());
        DeleteFileA((file + ".log").c_str());
    }
    MoveFileA((browser + ".aside").c_str(), browser.c_str());
}
