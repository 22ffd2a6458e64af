// The main window, its toolbar and commands, and the settings file, driven with window messages.
#include "support.h"

#include "settings/grades.h"
#include "settings/settings_io_win.h"

#include <commctrl.h>

#include <cstring>

namespace {

const std::string Refused = "ライトエラー: (warning) [1] ファイルが書けません";

TEST_F(ShellTest, WindowAndClass) {
    open();
    WNDCLASSA info{};
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "Main Window", &info));
    EXPECT_EQ(hex(info.style), hex(CS_VREDRAW | CS_HREDRAW | CS_BYTEALIGNCLIENT));
    EXPECT_EQ(info.hIcon, LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(101)));
    EXPECT_EQ(text(window), "瞬記盤「まばたきばん」 Ver1.20");
    RECT place;
    GetWindowRect(window, &place);
    EXPECT_EQ(std::to_string(place.right - place.left) + " x " +
                  std::to_string(place.bottom - place.top),
              "646 x 556");
}

// Counts the pixels of the window's client area inside box that are not black.
int lit(HWND window, const RECT& box) {
    HDC dc = GetDC(window);
    int count = 0;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            count += GetPixel(dc, x, y) != 0;
        }
    }
    ReleaseDC(window, dc);
    return count;
}

TEST_F(ShellTest, CommandsTimersClicksAndRepaintsReachTheGame) {
    open();
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    const HWND toolbar = GetDlgItem(window, 329);
    SetFocus(toolbar);
    SendMessageA(window, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(GetFocus(), toolbar) << "WM_ACTIVATE moved the focus";

    const auto phase = [] { return static_cast<int>(gameState.phase); };
    command(330);
    ASSERT_EQ(phase(), 1) << "Showing";
    const Cell target = gameState.problems.problems[0].cells[0];
    const RECT box = {target.column * 32, target.row * 32 + 40, target.column * 32 + 32,
                      target.row * 32 + 72};
    const int symbol = lit(window, box);
    EXPECT_GT(symbol, 0) << "the target's symbol";
    SendMessageA(window, WM_TIMER, 1, 0);
    EXPECT_EQ(phase(), 2) << "Covered";
    EXPECT_GT(lit(window, box), symbol) << "a white box over the symbol";
    SendMessageA(window, WM_TIMER, 1, 0);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.left + 16, box.top + 16));
    EXPECT_EQ(static_cast<int>(gameState.feedback), 2) << "Correct";
    SendMessageA(window, WM_TIMER, 2, 0);
    EXPECT_EQ(gameState.problemIndex, 1);
    EXPECT_EQ(phase(), 4) << "Interval";
    gameState.phase = GamePhase::Idle; // a board without cells: all black once repainted
    SendMessageA(window, WM_TIMER, 1, 0);
    EXPECT_EQ(lit(window, box), 0) << "the green target was not erased";
}

TEST_F(ShellTest, DestroyStopsThePhaseTimerThenSavesThenQuits) {
    open();
    command(330); // the phase timer runs
    SetFileAttributesA("setdata.ini", FILE_ATTRIBUTE_READONLY);
    Catcher catcher({[&](HWND box) {
        MSG quit;
        EXPECT_TRUE(IsWindowVisible(box));
        EXPECT_FALSE(KillTimer(window, 1)) << "the phase timer still ran during the save";
        EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE))
            << "WM_QUIT came before the save";
    }});
    DestroyWindow(window);
    EXPECT_EQ(catcher.seen, std::vector<std::string>{Refused});
    MSG quit{};
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 0u);
}

TEST_F(ShellTest, WithoutASettingsFileWarnsAndSavesTheFactoryGrades) {
    open(nullptr);
    EXPECT_EQ(readBoxes,
              std::vector<std::string>{"リードエラー: (warning) [1] 設定ファイルがありません"});
    close();
    EXPECT_EQ(readFile("setdata.ini"), DefaultFile);
}

TEST_F(ShellTest, SavingKeepsThePlayersFiles) {
    const struct {
        const char* setdata;
        DWORD attributes;
        const char* after;
    } cases[] = {
        {"read-only", FILE_ATTRIBUTE_READONLY, "old"},
        {"hidden", FILE_ATTRIBUTE_HIDDEN, DefaultFile},
        {"held open elsewhere", 0, "old"},
        {"a folder in use", FILE_ATTRIBUTE_DIRECTORY, "<missing>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.setdata);
        Scratch scratch;
        writeFile("setdata.ini.new", "the player's own");
        CreateDirectoryA(c.attributes == FILE_ATTRIBUTE_DIRECTORY ? "setdata.ini" : "", nullptr);
        writeFile(c.attributes == FILE_ATTRIBUTE_DIRECTORY ? "setdata.ini\\in" : "setdata.ini",
                  "old");
        SetFileAttributesA("setdata.ini", c.attributes);
        HANDLE held = c.attributes ? INVALID_HANDLE_VALUE
                                   : CreateFileA("setdata.ini", GENERIC_READ, 0, nullptr,
                                                 OPEN_EXISTING, 0, nullptr);
        Catcher catcher;
        loadDefaultGrades();
        gradeIndex = 1;
        writeSettings(nullptr);
        CloseHandle(held);
        EXPECT_EQ(catcher.seen, std::vector<std::string>(c.after != DefaultFile, Refused));
        EXPECT_EQ(readFile("setdata.ini"), c.after);
        EXPECT_EQ(hex(GetFileAttributesA("setdata.ini") & 0x13), hex(c.attributes))
            << "read-only 1, hidden 2, folder 0x10";
        EXPECT_EQ(readFile("setdata.ini.new"), "the player's own");
        WIN32_FIND_DATAA left;
        EXPECT_EQ(FindFirstFileA("set*.tmp", &left), INVALID_HANDLE_VALUE) << left.cFileName;
        DeleteFileA("setdata.ini\\in");
    }
}

// Adds two images of its own before the program adds its strip, so that the strip's images no
// longer start at 0.
LRESULT CALLBACK addTwoImagesFirst(int code, WPARAM wParam, LPARAM lParam) {
    static HBITMAP two = CreateBitmap(64, 32, 1, 32, nullptr); // lives as long as the program
    const CWPSTRUCT& call = *reinterpret_cast<CWPSTRUCT*>(lParam);
    if (call.message == TB_ADDBITMAP && call.wParam == 7) {
        TBADDBITMAP own = {nullptr, reinterpret_cast<UINT_PTR>(two)};
        SendMessageA(call.hwnd, TB_ADDBITMAP, 2, reinterpret_cast<LPARAM>(&own));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(ShellTest, ToolbarHoldsSevenButtonsInThreeGroups) {
    const int commands[15] = {330, 331, 0, 0, 0, 0, 332, 333, 0, 0, 0, 0, 334, 335, 336};
    const std::vector<TBBUTTON> table(std::begin(toolbarButtons), std::end(toolbarButtons));
    for (int firstImage : {0, 2}) {
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
        std::string got, expected;
        for (int i = 0; i < 15; ++i) {
            TBBUTTON button{};
            SendMessageA(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
            got += button.fsStyle & TBSTYLE_SEP ? "|"
                                                : " " + std::to_string(button.idCommand) + ":" +
                                                      std::to_string(button.iBitmap);
            expected += commands[i] ? " " + std::to_string(commands[i]) + ":" +
                                          std::to_string(firstImage + commands[i] - 330)
                                    : "|";
        }
        EXPECT_EQ(got, expected) << "command:image, | a separator; strip at image " << firstImage;
        close();
    }
}

TEST_F(ShellTest, ToolTipsAreAnsweredThroughTheWindow) {
    open();
    const std::pair<UINT_PTR, std::string> tips[] = {
        {330, "スタート"},   {331, "スタート"},  {332, "ゲーム設定"},
        {333, "バージョン"}, {334, "Webヘルプ"}, {335, "ホームページ"},
        {336, "終了"},       {329, "as it was"}, {337, "as it was"},
    };
    for (const auto& [id, tip] : tips) {
        char untouched[] = "as it was";
        TOOLTIPTEXTA record{};
        record.hdr.idFrom = id;
        record.hdr.code = TTN_NEEDTEXTA;
        record.lpszText = untouched;
        SendMessageA(window, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&record));
        EXPECT_EQ(record.lpszText, tip) << "id " << id;
        EXPECT_EQ(record.hinst, GetModuleHandleA(nullptr)) << "id " << id;
    }
}

TEST_F(ShellTest, HomePageStartsTheBrowserOrSaysItIsMissing) {
    const std::string browser = "C:\\Program Files\\Internet Explorer\\iexplore.exe";
    MoveFileA(browser.c_str(), (browser + ".aside").c_str()); // Wine's own, back at the end
    DeleteFileA(browser.c_str());
    open();
    Catcher missing;
    command(335);
    EXPECT_EQ(missing.seen,
              std::vector<std::string>{"残念！: [1] Internet Explorerが見つかりませんでした。"});

    // The stand-in, also where an unquoted path would find a program first.
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::strcpy(std::strrchr(self, '\\') + 1, "browser_stand_in.exe");
    CopyFileA(self, browser.c_str(), FALSE);
    CopyFileA(self, "C:\\Program.exe", FALSE);
    HANDLE started = CreateEventA(nullptr, FALSE, FALSE, "mabatakiban-browser-started");
    Catcher none;
    command(335);
    EXPECT_EQ(WaitForSingleObject(started, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(none.seen, std::vector<std::string>{});
    std::string log = readFile(browser + ".log"); // the command line, then the process id
    HANDLE standIn =
        OpenProcess(SYNCHRONIZE, FALSE, std::strtoul(&log[log.find('\n') + 1], nullptr, 10));
    WaitForSingleObject(standIn, 10000); // a program still running cannot be deleted
    CloseHandle(standIn);
    CloseHandle(started);
    log.erase(std::remove(log.begin(), log.end(), '"'), log.end()); // Wine quotes the path
    EXPECT_EQ(log.substr(0, log.find('\n')), browser + " https://example.com/");
    for (const std::string& file : {browser, std::string("C:\\Program.exe")}) {
        DeleteFileA(file.c_str());
        DeleteFileA((file + ".log").c_str());
    }
    MoveFileA((browser + ".aside").c_str(), browser.c_str());
}

} // namespace
