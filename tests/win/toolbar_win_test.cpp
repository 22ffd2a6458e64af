#include "main_window_fixture.h"

#include "core/game_state.h"
#include "resources/resource.h"
#include "settings/grades.h"
#include "settings/settings_file.h"
#include "settings/settings_state.h"
#include "shell/main_window_win.h"
#include "shell/shell_state_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

const char BrowserPath[] = "C:\\Program Files\\Internet Explorer\\iexplore.exe";
const char SavedBrowserPath[] = "C:\\Program Files\\Internet Explorer\\iexplore.exe.saved";

// Moves the real browser aside for the life of the object, optionally putting the stand-in
// that records its command line in its place.
class BrowserStandIn {
  public:
    explicit BrowserStandIn(bool install) {
        CreateDirectoryA("C:\\Program Files\\Internet Explorer", nullptr);
        moved_ = MoveFileExA(BrowserPath, SavedBrowserPath, MOVEFILE_REPLACE_EXISTING);
        if (install) {
            char self[MAX_PATH];
            GetModuleFileNameA(nullptr, self, MAX_PATH);
            std::string standIn = self;
            standIn = standIn.substr(0, standIn.find_last_of('\\') + 1) + "browser_stand_in.exe";
            EXPECT_TRUE(CopyFileA(standIn.c_str(), BrowserPath, FALSE)) << standIn;
        }
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        log_ = std::string(temp) + "mabatakiban-browser-" + std::to_string(GetCurrentProcessId()) +
               ".log";
        DeleteFileA(log_.c_str());
        SetEnvironmentVariableA("MABATAKIBAN_BROWSER_LOG", log_.c_str());
    }
    ~BrowserStandIn() {
        DeleteFileA(BrowserPath);
        if (moved_) {
            MoveFileExA(SavedBrowserPath, BrowserPath, MOVEFILE_REPLACE_EXISTING);
        }
        DeleteFileA(log_.c_str());
        SetEnvironmentVariableA("MABATAKIBAN_BROWSER_LOG", nullptr);
    }
    // The command lines the stand-in was started with, waiting for it to write them. Quotes
    // are dropped: Wine quotes a program path with spaces when it starts it, Windows does not.
    std::string log(std::size_t lines) const {
        std::string content;
        for (int tries = 0; tries < 200; ++tries) {
            content = readWholeFile(log_);
            if (content != "<missing>" && static_cast<std::size_t>(std::count(
                                              content.begin(), content.end(), '\n')) >= lines) {
                break;
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
        content.erase(std::remove(content.begin(), content.end(), '"'), content.end());
        return content;
    }

  private:
    bool moved_ = false;
    std::string log_;
};

class ToolbarTest : public MainWindowFixture {
  protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        scratch.write("setdata.ini", defaultSettingsFile());
        window = createWindow();
        toolbar = GetDlgItem(window, IDC_TOOLBAR);
    }
    LRESULT command(int id, int code = 0) {
        return SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, code), 0);
    }

    HWND window = nullptr;
    HWND toolbar = nullptr;
};

TEST_F(ToolbarTest, IsAChildAlongTheTopWithItsStyle) {
    ASSERT_NE(toolbar, nullptr) << "no control with id 329";
    char className[32] = {};
    GetClassNameA(toolbar, className, sizeof className);
    EXPECT_STREQ(className, TOOLBARCLASSNAMEA);
    const DWORD wanted =
        WS_CHILD | WS_VISIBLE | CCS_ADJUSTABLE | TBSTYLE_TOOLTIPS | TBSTYLE_ALTDRAG;
    EXPECT_EQ(GetWindowLongA(toolbar, GWL_STYLE) & wanted, wanted);
    RECT rect;
    GetWindowRect(toolbar, &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.top, 0);
    EXPECT_LE(rect.bottom, 44) << "the board starts 40 pixels down";
}

TEST_F(ToolbarTest, HoldsFifteenItemsInThreeGroups) {
    const struct {
        int id;
        int image; // -1 for a separator
    } layout[] = {
        {CMD_START, 0}, {CMD_START2, 1},   {0, -1},          {0, -1},           {0, -1},
        {0, -1},        {CMD_SETTINGS, 2}, {CMD_VERSION, 3}, {0, -1},           {0, -1},
        {0, -1},        {0, -1},           {CMD_WEBHELP, 4}, {CMD_HOMEPAGE, 5}, {CMD_EXIT, 6},
    };
    ASSERT_EQ(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 15);
    TBBUTTON first{};
    SendMessageA(toolbar, TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&first));
    const int offset = first.iBitmap; // where the strip's images start in the image list
    for (int position = 0; position < 15; ++position) {
        TBBUTTON button{};
        ASSERT_TRUE(
            SendMessageA(toolbar, TB_GETBUTTON, position, reinterpret_cast<LPARAM>(&button)));
        if (layout[position].image < 0) {
            EXPECT_TRUE(button.fsStyle & TBSTYLE_SEP) << "position " << position;
        } else {
            EXPECT_FALSE(button.fsStyle & TBSTYLE_SEP) << "position " << position;
            EXPECT_EQ(button.idCommand, layout[position].id) << "position " << position;
            EXPECT_EQ(button.iBitmap - offset, layout[position].image) << "position " << position;
            EXPECT_TRUE(button.fsState & TBSTATE_ENABLED) << "position " << position;
        }
    }
    EXPECT_EQ(toolbarButtons[0].iBitmap, offset) << "the offset was added to the table";
}

TEST_F(ToolbarTest, ToolTipsAreShiftJisTexts) {
    const struct {
        UINT_PTR id;
        const char* text;
    } cases[] = {
        {CMD_START, "スタート"},     {CMD_START2, "スタート"},   {CMD_SETTINGS, "ゲーム設定"},
        {CMD_VERSION, "バージョン"}, {CMD_WEBHELP, "Webヘルプ"}, {CMD_HOMEPAGE, "ホームページ"},
        {CMD_EXIT, "終了"},
    };
    for (const auto& c : cases) {
        TOOLTIPTEXTA record{};
        record.hdr.hwndFrom = toolbar;
        record.hdr.idFrom = c.id;
        record.hdr.code = TTN_NEEDTEXTA;
        EXPECT_EQ(SendMessageA(window, WM_NOTIFY, c.id, reinterpret_cast<LPARAM>(&record)), 0);
        ASSERT_NE(record.lpszText, nullptr) << "id " << c.id;
        EXPECT_EQ(std::string(record.lpszText), std::string(c.text)) << "id " << c.id;
        EXPECT_EQ(record.hinst, GetModuleHandleA(nullptr));
    }
    // Another id gets only the instance.
    TOOLTIPTEXTA other{};
    other.hdr.idFrom = 400;
    other.hdr.code = TTN_NEEDTEXTA;
    char untouched[] = "as it was";
    other.lpszText = untouched;
    SendMessageA(window, WM_NOTIFY, 400, reinterpret_cast<LPARAM>(&other));
    EXPECT_EQ(other.lpszText, untouched);
    EXPECT_EQ(other.hinst, GetModuleHandleA(nullptr));
}

TEST_F(ToolbarTest, BoardFontIsMadeAsDesigned) {
    ASSERT_NE(boardFont, nullptr);
    LOGFONTA font{};
    ASSERT_EQ(GetObjectA(boardFont, sizeof font, &font), static_cast<int>(sizeof font));
    EXPECT_EQ(font.lfHeight, 32);
    EXPECT_EQ(font.lfWidth, 32);
    EXPECT_EQ(font.lfWeight, 600);
    EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);
    EXPECT_STREQ(font.lfFaceName, "ＭＳ 明朝");
}

TEST_F(ToolbarTest, StartRunsWhateverTheNotificationCode) {
    for (int id : {CMD_START, CMD_START2}) {
        for (int code : {0, 1, 0xFFFF}) {
            gameState.phase = GamePhase::Idle;
            EXPECT_EQ(command(id, code), 0);
            EXPECT_EQ(gameState.phase, GamePhase::Showing) << "id " << id << " code " << code;
        }
    }
    gameState.phase = GamePhase::Idle;
    command(CMD_START - 1);
    command(CMD_EXIT + 1);
    EXPECT_EQ(gameState.phase, GamePhase::Idle) << "other ids do nothing";
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(ToolbarTest, SettingsCommandDerivesThePlayParametersAfterTheDialog) {
    ModalCatcher catcher(ModalCatcher::close);
    gradeTable[gradeIndex].symbolCount = 8;
    command(CMD_SETTINGS, 1);
    ASSERT_EQ(catcher.caught().size(), 1u);
    EXPECT_EQ(catcher.caught()[0].caption, "ゲーム設定");
    EXPECT_EQ(gameState.symbolCount, 8) << "derived again after closing";
}

TEST_F(ToolbarTest, VersionCommandOpensTheAboutDialog) {
    ModalCatcher catcher([](HWND dialog) {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0); // Esc: ignored
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_CLOSE, BN_CLICKED), 0);
    });
    command(CMD_VERSION, 0xFFFF);
    ASSERT_EQ(catcher.caught().size(), 1u);
    EXPECT_EQ(catcher.caught()[0].caption, "このソフトについて");
}

TEST_F(ToolbarTest, WebCommandsStartTheBrowserWithTheirPages) {
    BrowserStandIn browser(true);
    ModalCatcher catcher;
    // One at a time: two browsers started together may write their lines in either order.
    command(CMD_WEBHELP, 1);
    EXPECT_EQ(browser.log(1), std::string(helpCommandLine) + "\n");
    command(CMD_HOMEPAGE, 0);
    EXPECT_EQ(browser.log(2),
              std::string(helpCommandLine) + "\n" + std::string(homePageCommandLine) + "\n");
    EXPECT_TRUE(catcher.caught().empty()) << "no message when the browser starts";
    EXPECT_EQ(std::string(helpCommandLine).rfind(std::string(BrowserPath) + " https://", 0), 0u);
    EXPECT_EQ(std::string(homePageCommandLine).rfind(std::string(BrowserPath) + " https://", 0),
              0u);
}

TEST_F(ToolbarTest, MissingBrowserIsReported) {
    BrowserStandIn browser(false);
    for (int id : {CMD_WEBHELP, CMD_HOMEPAGE}) {
        ModalCatcher catcher;
        command(id);
        ASSERT_EQ(catcher.caught().size(), 1u) << "id " << id;
        EXPECT_EQ(catcher.caught()[0].caption, "残念！");
        EXPECT_EQ(catcher.caught()[0].text, "Internet Explorerが見つかりませんでした。");
        EXPECT_EQ(catcher.caught()[0].buttonIds, std::vector<int>{IDOK});
        EXPECT_FALSE(catcher.caught()[0].warningIcon);
    }
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(gameState.phase, GamePhase::Idle);
}

TEST_F(ToolbarTest, ExitSavesAndEndsTheLoopWithZero) {
    gradeIndex = 4;
    command(CMD_EXIT, 1);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(readSettingsValues(scratch.read("setdata.ini"))[40], 4);
    EXPECT_EQ(runMessageLoop(), 0);
}

} // namespace
