#include "main_window_fixture.h"

#include "core/game_state.h"
#include "settings/grades.h"
#include "settings/settings_file.h"
#include "settings/settings_io_win.h"
#include "settings/settings_state.h"
#include "shell/main_window_win.h"
#include "shell/shell_state_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

class MainWindowTest : public MainWindowFixture {
  protected:
    // Creates the main window over the default settings file, unless there is to be none.
    HWND create(bool withFile = true) {
        if (withFile) {
            scratch.write("setdata.ini", defaultSettingsFile());
        }
        return createWindow();
    }
};

TEST_F(MainWindowTest, ClassIsRegisteredAsDesigned) {
    create();
    WNDCLASSA info{};
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "Main Window", &info));
    EXPECT_EQ(info.style, 0x1003u);
    EXPECT_EQ(info.lpfnWndProc, mainWindowProc);
    EXPECT_EQ(info.hbrBackground, GetStockObject(BLACK_BRUSH));
    EXPECT_EQ(info.hCursor, LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_NE(info.hIcon, nullptr);
    EXPECT_EQ(info.lpszMenuName, nullptr);
    EXPECT_EQ(info.cbClsExtra, 0);
    EXPECT_EQ(info.cbWndExtra, 0);
}

TEST_F(MainWindowTest, WindowHasItsCaptionStyleSizeAndPlace) {
    HWND window = create();
    ASSERT_NE(window, nullptr);

    const unsigned char expected[] = {0x8f, 0x75, 0x8b, 0x4c, 0x94, 0xd5, 0x81, 0x75, 0x82, 0xdc,
                                      0x82, 0xce, 0x82, 0xbd, 0x82, 0xab, 0x82, 0xce, 0x82, 0xf1,
                                      0x81, 0x76, 0x20, 0x56, 0x65, 0x72, 0x31, 0x2e, 0x32, 0x30};
    char caption[64] = {};
    const int length = GetWindowTextA(window, caption, sizeof caption);
    EXPECT_EQ(std::string(caption, length),
              std::string(reinterpret_cast<const char*>(expected), sizeof expected));

    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_VISIBLE), 0)
        << "style " << std::hex << style;
    EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);

    RECT rect;
    GetWindowRect(window, &rect);
    HDC screen = GetDC(nullptr);
    const POINT place =
        mainWindowPosition(GetDeviceCaps(screen, HORZRES), GetDeviceCaps(screen, VERTRES));
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(rect.right - rect.left, 646);
    EXPECT_EQ(rect.bottom - rect.top, 556);
    EXPECT_EQ(rect.left, place.x);
    EXPECT_EQ(rect.top, place.y);
}

TEST(MainWindowPosition, CentresWithTruncatingDivision) {
    const struct {
        int width, height, x, y;
    } cases[] = {{1024, 768, 189, 106},
                 {640, 480, -3, -38},
                 {645, 555, 0, 0},
                 {646, 556, 0, 0},
                 {1920, 1080, 637, 262}};
    for (const auto& c : cases) {
        const POINT place = mainWindowPosition(c.width, c.height);
        EXPECT_EQ(place.x, c.x) << c.width << "x" << c.height;
        EXPECT_EQ(place.y, c.y) << c.width << "x" << c.height;
    }
}

TEST_F(MainWindowTest, FailedRegistrationReadsNoSettings) {
    WNDCLASSA taken{};
    taken.lpfnWndProc = DefWindowProcA;
    taken.hInstance = GetModuleHandleA(nullptr);
    taken.lpszClassName = MainWindowClassName;
    ASSERT_NE(RegisterClassA(&taken), 0);
    ModalCatcher catcher;
    EXPECT_EQ(createMainWindow(GetModuleHandleA(nullptr)), 0);
    EXPECT_EQ(mainWindow, nullptr);
    EXPECT_TRUE(catcher.caught().empty()) << "no read-error message without a window";
}

TEST_F(MainWindowTest, SettingsAreReadAtCreationAndWrittenAtDestruction) {
    std::string file;
    for (int i = 0; i < SettingsValueCount - 1; ++i) {
        file += std::to_string(i % 4 == 3 ? -i : 2 + i % 3) + "\n";
    }
    file += "6";
    scratch.write("setdata.ini", file);
    HWND window = create(false);
    EXPECT_EQ(gradeIndex, 6);
    EXPECT_EQ(gradeTable[6].symbolCount, 2);
    EXPECT_EQ(gradeTable[6].reserved, -27);
    EXPECT_EQ(gameState.symbolCount, 2) << "play parameters derived at creation";
    EXPECT_EQ(gameState.showMillis, 3000);
    EXPECT_EQ(gameState.tryCount, 4);

    gradeIndex = 8;
    gradeTable[0].reserved = 77;
    DestroyWindow(window);
    const std::string written = scratch.read("setdata.ini");
    EXPECT_EQ(written, formatSettings(currentSettingsValues()));
    EXPECT_EQ(readSettingsValues(written)[40], 8);
    EXPECT_FALSE(scratch.exists(SettingsTemporaryName));

    MSG quit;
    ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "WM_QUIT posted";
    EXPECT_EQ(quit.wParam, 0u);
}

TEST_F(MainWindowTest, MissingFileWarnsThenDefaultsAreUsedAndSaved) {
    ModalCatcher catcher;
    HWND window = create(false);
    ASSERT_EQ(catcher.caught().size(), 1u);
    const CaughtWindow& box = catcher.caught()[0];
    EXPECT_EQ(box.caption, "リードエラー");
    EXPECT_EQ(box.text, "設定ファイルがありません");
    EXPECT_TRUE(box.warningIcon);
    EXPECT_EQ(box.buttonIds, std::vector<int>{IDOK});
    EXPECT_FALSE(IsWindowVisible(window)) << "the warning comes before the window is shown";
    EXPECT_EQ(gradeIndex, 1);
    EXPECT_EQ(gameState.tryCount, 5);
    EXPECT_EQ(gameState.symbolCount, 3);
    EXPECT_EQ(gameState.showMillis, 3000);

    DestroyWindow(window);
    EXPECT_EQ(catcher.caught().size(), 1u) << "saving needs no message";
    EXPECT_EQ(scratch.read("setdata.ini"), defaultSettingsFile());
    EXPECT_EQ(scratch.read("setdata.ini").size(), 123u);
}

TEST_F(MainWindowTest, EmptyFileReadsAsZerosWithoutWarning) {
    scratch.write("setdata.ini", "");
    ModalCatcher catcher;
    create(false);
    EXPECT_TRUE(catcher.caught().empty());
    EXPECT_EQ(currentSettingsValues(), SettingsValues{});
}

TEST_F(MainWindowTest, FailedSaveWarnsAndKeepsTheOldFile) {
    enum Blocker { SettingsIsDirectory, TemporaryIsDirectory, SettingsIsReadOnly };
    for (Blocker blocker : {SettingsIsDirectory, TemporaryIsDirectory, SettingsIsReadOnly}) {
        SCOPED_TRACE(blocker);
        ScratchDirectory inner;
        const std::string old = "9 9 9\r\n";
        if (blocker == SettingsIsDirectory) {
            CreateDirectoryA("setdata.ini", nullptr);
        } else {
            inner.write("setdata.ini", old);
        }
        if (blocker == TemporaryIsDirectory) {
            CreateDirectoryA(SettingsTemporaryName, nullptr);
        }
        if (blocker == SettingsIsReadOnly) {
            SetFileAttributesA("setdata.ini", FILE_ATTRIBUTE_READONLY);
        }
        ModalCatcher catcher;
        loadDefaultGrades();
        writeSettings(nullptr);
        ASSERT_EQ(catcher.caught().size(), 1u);
        EXPECT_EQ(catcher.caught()[0].caption, "ライトエラー");
        EXPECT_EQ(catcher.caught()[0].text, "ファイルが書けません");
        EXPECT_TRUE(catcher.caught()[0].warningIcon);
        if (blocker == SettingsIsDirectory) {
            EXPECT_NE(GetFileAttributesA("setdata.ini") & FILE_ATTRIBUTE_DIRECTORY, 0u);
        } else {
            EXPECT_EQ(inner.read("setdata.ini"), old);
        }
        if (blocker != TemporaryIsDirectory) {
            EXPECT_FALSE(inner.exists(SettingsTemporaryName)) << "no temporary file left";
        }
    }
}

TEST_F(MainWindowTest, ReadOnlyFileIsStillRead) {
    scratch.write("setdata.ini", "4 4 4 0\r\n");
    SetFileAttributesA("setdata.ini", FILE_ATTRIBUTE_READONLY);
    ModalCatcher catcher;
    create(false);
    EXPECT_TRUE(catcher.caught().empty());
    EXPECT_EQ(gradeTable[0].showSeconds, 4);
}

TEST_F(MainWindowTest, MessagesWithoutDefaultProcessingReturnZero) {
    HWND window = create();
    NMHDR query{};
    query.hwndFrom = window;
    query.idFrom = 329;
    const UINT codes[] = {TBN_QUERYINSERT, TBN_QUERYDELETE, TBN_GETBUTTONINFOA, NM_CLICK};
    for (UINT code : codes) {
        query.code = code;
        EXPECT_EQ(SendMessageA(window, WM_NOTIFY, 329, reinterpret_cast<LPARAM>(&query)), 0)
            << "notification " << static_cast<int>(code);
    }
    EXPECT_EQ(SendMessageA(window, WM_ACTIVATE, WA_ACTIVE, 0), 0);
    EXPECT_EQ(SendMessageA(window, WM_INITMENUPOPUP, 0, 0), 0);
}

TEST_F(MainWindowTest, OnlyTheTimersAndClicksRepaintAsDesigned) {
    HWND window = create();
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    pumpMessages();
    PaintCounter paints(window);

    SendMessageA(window, WM_TIMER, 7, 0);
    pumpMessages();
    EXPECT_EQ(paints.count(), 0) << "an unknown timer changes nothing";
    EXPECT_EQ(gameState.phase, GamePhase::Idle);

    SendMessageA(window, WM_TIMER, FeedbackTimer, 0);
    pumpMessages();
    EXPECT_EQ(paints.count(), 0) << "the feedback timer does not repaint";

    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    EXPECT_EQ(paints.count(), 1) << "a click repaints at once, even with no game";

    SendMessageA(window, WM_TIMER, PhaseTimer, 0);
    EXPECT_EQ(paints.count(), 2) << "a phase tick repaints";
}

TEST_F(MainWindowTest, DestroyingTheWindowEndsTheLoopWithZero) {
    HWND window = create();
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(runMessageLoop(), 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(scratch.read("setdata.ini"), defaultSettingsFile());
}

} // namespace
