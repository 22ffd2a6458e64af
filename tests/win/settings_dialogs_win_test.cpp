// The game settings and detailed settings dialogs, opened for real over a window of the test's
// own and driven with messages once their modal loop runs.
#include "win_test_support.h"

#include "resources/resource.h"
#include "settings/detail_settings_dialog_win.h"
#include "settings/game_settings_dialog_win.h"
#include "settings/grades.h"
#include "settings/settings_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Script = std::function<void(HWND)>;

// Radio buttons of the detailed settings dialog, by grade index.
constexpr int RadioIds[GradeCount] = {102, 109, 110, 111, 112, 113, 114, 115, 116, 117};

std::string itemText(HWND dialog, int id) {
    return windowText(GetDlgItem(dialog, id));
}

void setItemText(HWND dialog, int id, const char* text) {
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void click(HWND dialog, int id) {
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

// The three fields of the detailed settings dialog, as "symbols,seconds,tries".
std::string fields(HWND dialog) {
    return itemText(dialog, IDC_DETAILSETTINGS_SYMBOLS) + "," +
           itemText(dialog, IDC_DETAILSETTINGS_SECONDS) + "," +
           itemText(dialog, IDC_DETAILSETTINGS_TRIES);
}

void typeFields(HWND dialog, const char* symbols, const char* seconds, const char* tries) {
    setItemText(dialog, IDC_DETAILSETTINGS_SYMBOLS, symbols);
    setItemText(dialog, IDC_DETAILSETTINGS_SECONDS, seconds);
    setItemText(dialog, IDC_DETAILSETTINGS_TRIES, tries);
}

// One row of the table, all four values, as "symbols,seconds,tries,reserved".
std::string rowText(const GradeSetting& grade) {
    std::ostringstream text;
    text << grade.symbolCount << "," << grade.showSeconds << "," << grade.tryCount << ","
         << grade.reserved;
    return text.str();
}
std::string row(int index) {
    return rowText(gradeTable[index]);
}

std::string comboItems(HWND combo) {
    std::string items;
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char item[64] = {};
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        items += std::string(i ? "|" : "") + item;
    }
    return items;
}

HWND editOf(HWND combo) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo, &info);
    return info.hwndItem;
}

class SettingsDialogsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resetSettingsState();
        loadDefaultGrades();
        gradeIndex = 1; // as after a start without a settings file
    }

    // Opens a dialog over the owner; each settings dialog that appears, the detailed one opened
    // from the game settings dialog included, is handed once to its script, which must end it.
    INT_PTR open(int templateId, DLGPROC procedure, Script onGame, Script onDetail = {}) {
        std::set<HWND> driven;
        gameRuns = 0;
        detailRuns = 0;
        ModalCatcher catcher([&](HWND dialog) {
            if (!driven.insert(dialog).second) {
                return; // active again after a nested dialog has closed
            }
            const DLGPROC shown =
                reinterpret_cast<DLGPROC>(GetWindowLongPtrA(dialog, DWLP_DLGPROC));
            const bool isGame = shown == gameSettingsDialogProc;
            const bool isDetail = shown == detailSettingsDialogProc;
            Script& script = isGame ? onGame : onDetail;
            gameRuns += isGame ? 1 : 0;
            detailRuns += isDetail ? 1 : 0;
            if ((isGame || isDetail) && script) {
                script(dialog);
            } else {
                ADD_FAILURE() << "unexpected dialog \"" << windowText(dialog) << "\"";
            }
            if (isOpen(dialog)) {
                ADD_FAILURE() << "dialog \"" << windowText(dialog)
                              << "\" still open after its script";
                EndDialog(dialog, -1);
            }
        });
        const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr),
                                               MAKEINTRESOURCEA(templateId), owner, procedure, 0);
        // A dialog that never appeared would leave every expectation about it unchecked.
        EXPECT_TRUE(!onGame || gameRuns > 0) << "the game settings dialog never appeared";
        EXPECT_TRUE(!onDetail || detailRuns > 0) << "the detailed settings dialog never appeared";
        return result;
    }

    INT_PTR openGame(Script onGame, Script onDetail = {}) {
        return open(IDD_GAMESETTINGS, gameSettingsDialogProc, std::move(onGame),
                    std::move(onDetail));
    }
    INT_PTR openDetail(Script onDetail) {
        return open(IDD_DETAILSETTINGS, detailSettingsDialogProc, {}, std::move(onDetail));
    }

    OwnerWindow owner;
    int gameRuns = 0; // dialogs handed to their scripts in the last opening
    int detailRuns = 0;
};

// ---- The templates as created ------------------------------------------------------------------

constexpr DWORD PushButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER;
constexpr DWORD DropDown =
    WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL;
constexpr DWORD Radio = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON;
constexpr DWORD Label = WS_CHILD | WS_VISIBLE | SS_LEFT;

const ControlSpec GameSettingsControls[] = {
    {109, "BUTTON", "ＯＫ", PushButton, {12, 20, 64, 28}},
    {114, "COMBOBOX", "ComboBox5", DropDown, {4, 4, 52, 56}},
    {101, "BUTTON", "詳細設定", PushButton, {56, 4, 32, 12}},
};

const ControlSpec DetailSettingsControls[] = {
    {107, "BUTTON", "各級の設定", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_GROUPBOX, {4, 4, 164, 84}},
    {101, "COMBOBOX", "ComboBox2", DropDown, {8, 60, 40, 56}},
    {103, "STATIC", "文字の数", Label, {12, 48, 28, 8}},
    {104, "STATIC", "表示時間", Label, {64, 48, 28, 8}},
    {105, "STATIC", "トライ回数", Label, {116, 48, 32, 8}},
    {106, "COMBOBOX", "ComboBox3", DropDown, {60, 60, 40, 56}},
    {108, "COMBOBOX", "ComboBox4", DropDown, {112, 60, 40, 56}},
    {102, "BUTTON", "１０級", Radio, {8, 16, 28, 8}},
    {109, "BUTTON", "９級", Radio, {40, 16, 28, 8}},
    {110, "BUTTON", "８級", Radio, {72, 16, 28, 8}},
    {111, "BUTTON", "７級", Radio, {104, 16, 28, 8}},
    {112, "BUTTON", "６級", Radio, {136, 16, 28, 8}},
    {113, "BUTTON", "５級", Radio, {8, 28, 28, 8}},
    {114, "BUTTON", "４級", Radio, {40, 28, 28, 8}},
    {115, "BUTTON", "３級", Radio, {72, 28, 28, 8}},
    {116, "BUTTON", "２級", Radio, {104, 28, 28, 8}},
    {117, "BUTTON", "１級", Radio, {136, 28, 28, 8}},
    {118, "BUTTON", "ＯＫ", PushButton, {52, 100, 52, 16}},
};

constexpr DWORD DialogStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME |
                              DS_SETFONT | DS_3DLOOK | DS_CONTEXTHELP;

TEST_F(SettingsDialogsTest, GameSettingsTemplateAsCreated) {
    CreationRecorder recorder;
    EXPECT_EQ(openGame([&](HWND dialog) {
                  expectDialog(dialog, IDD_GAMESETTINGS, "ゲーム設定", DialogStyle | DS_CENTERMOUSE,
                               97, 53);
                  expectControls(dialog, GameSettingsControls,
                                 static_cast<int>(std::size(GameSettingsControls)), &recorder);
                  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_GAMESETTINGS_OK))
                      << "the focus starts on OK";
                  SendMessageA(dialog, WM_CLOSE, 0, 0);
              }),
              1);
}

TEST_F(SettingsDialogsTest, DetailSettingsTemplateAsCreated) {
    CreationRecorder recorder;
    EXPECT_EQ(openDetail([&](HWND dialog) {
                  expectDialog(dialog, IDD_DETAILSETTINGS, "詳細設定", DialogStyle, 172, 123);
                  expectControls(dialog, DetailSettingsControls,
                                 static_cast<int>(std::size(DetailSettingsControls)), &recorder);
                  // Position (0, 0) is the owner's client corner, where the client area starts.
                  EXPECT_EQ(clientCorner(dialog), clientCorner(owner));
                  EXPECT_EQ(GetFocus(), editOf(GetDlgItem(dialog, IDC_DETAILSETTINGS_SYMBOLS)))
                      << "the focus starts in the symbol count, got id "
                      << GetDlgCtrlID(GetFocus());
                  SendMessageA(dialog, WM_CLOSE, 0, 0);
              }),
              1);
}

// ---- Game settings dialog ----------------------------------------------------------------------

TEST_F(SettingsDialogsTest, GameSettingsListsTheTenLabelsAndShowsTheGrade) {
    const char* const allLabels =
        "0:10級|1:９級|2:８級|3:７級|4:６級|5:５級|6:４級|7:３級|8:２級|9:１級";
    const struct {
        int32_t grade;
        const char* text;
    } cases[] = {
        {1, "1:９級"},
        {0, "0:10級"},
        {5, "5:５級"},
        {9, "9:１級"},
        // An index the table does not have shows no text at all.
        {10, ""},
        {-1, ""},
        {INT32_MIN, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "gradeIndex " << c.grade);
        gradeIndex = c.grade;
        openGame([&](HWND dialog) {
            HWND list = GetDlgItem(dialog, IDC_GAMESETTINGS_GRADE);
            EXPECT_EQ(comboItems(list), allLabels);
            EXPECT_EQ(windowText(list), c.text);
            EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), CB_ERR) << "no item selected";
            SendMessageA(dialog, WM_CLOSE, 0, 0);
        });
        EXPECT_EQ(gradeIndex, c.grade) << "closing keeps the grade";
    }
}

TEST_F(SettingsDialogsTest, GameSettingsOkTakesTheGradeFromTheText) {
    constexpr WORD Clicked = 0xFFFF;
    const struct {
        const char* what;
        int32_t before;
        int chosenItem; // -1: type the text instead
        const char* typed;
        WORD notification; // Clicked: a click on the button itself
        int32_t expected;
    } cases[] = {
        {"untouched label", 1, -1, nullptr, BN_CLICKED, 1},
        {"untouched label", 9, -1, nullptr, BN_CLICKED, 9},
        {"chosen from the list, the button clicked", 1, 5, nullptr, Clicked, 5},
        {"chosen from the list", 1, 5, nullptr, BN_CLICKED, 5},
        {"chosen from the list", 1, 0, nullptr, BN_DOUBLECLICKED, 0},
        {"empty text", 7, -1, "", BN_CLICKED, 0},
        {"full-width 1級", 1, -1, "１級", BN_CLICKED, 2},
        {"a digit", 3, -1, "8", BN_CLICKED, 8},
        {"a letter", 3, -1, "d", BN_CLICKED, 4},
        {"more than nine bytes", 3, -1, "6:４級 and more text", BN_CLICKED, 6},
        // First bytes whose low four bits name no grade keep the one chosen before.
        {"a colon", 6, -1, ":", BN_CLICKED, 6},
        {"a question mark", 2, -1, "?", BN_CLICKED, 2},
        {"the letter J", 8, -1, "J", BN_CLICKED, 8},
        {"the letter o", 0, -1, "o", BN_CLICKED, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.what << ", grade " << c.before << " before");
        gradeIndex = c.before;
        const INT_PTR result = openGame([&](HWND dialog) {
            HWND list = GetDlgItem(dialog, IDC_GAMESETTINGS_GRADE);
            if (c.chosenItem >= 0) {
                SendMessageA(list, CB_SETCURSEL, c.chosenItem, 0);
            } else if (c.typed) {
                setItemText(dialog, IDC_GAMESETTINGS_GRADE, c.typed);
            }
            if (c.notification == Clicked) {
                click(dialog, IDC_GAMESETTINGS_OK);
            } else {
                SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_GAMESETTINGS_OK, c.notification),
                             reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_GAMESETTINGS_OK)));
            }
            EXPECT_FALSE(isOpen(dialog)) << "OK ends the dialog";
        });
        EXPECT_EQ(result, 1);
        EXPECT_EQ(gradeIndex, c.expected);
    }
}

TEST_F(SettingsDialogsTest, GameSettingsClosingKeepsTheGrade) {
    const struct {
        const char* what;
        UINT message;
        WPARAM wParam;
    } closers[] = {
        {"WM_CLOSE", WM_CLOSE, 0},
        {"system menu Close", WM_SYSCOMMAND, SC_CLOSE},
    };
    for (const auto& c : closers) {
        SCOPED_TRACE(c.what);
        gradeIndex = 1;
        const INT_PTR result = openGame([&](HWND dialog) {
            SendMessageA(GetDlgItem(dialog, IDC_GAMESETTINGS_GRADE), CB_SETCURSEL, 5, 0);
            SendMessageA(dialog, c.message, c.wParam, 0);
            EXPECT_FALSE(isOpen(dialog)) << "closed";
        });
        EXPECT_EQ(result, 1);
        EXPECT_EQ(gradeIndex, 1);
    }
}

TEST_F(SettingsDialogsTest, GameSettingsEscEnterAndOtherCommandsCloseNothing) {
    openGame([&](HWND dialog) {
        setItemText(dialog, IDC_GAMESETTINGS_GRADE, "5:５級");
        HWND list = GetDlgItem(dialog, IDC_GAMESETTINGS_GRADE);
        const WPARAM commands[] = {
            MAKEWPARAM(IDOK, BN_CLICKED),
            MAKEWPARAM(IDCANCEL, BN_CLICKED),
            MAKEWPARAM(IDC_GAMESETTINGS_GRADE, CBN_SELCHANGE),
            MAKEWPARAM(IDC_GAMESETTINGS_GRADE, CBN_EDITCHANGE),
            MAKEWPARAM(IDC_GAMESETTINGS_OK - 1, BN_CLICKED),
            MAKEWPARAM(999, 0),
        };
        for (WPARAM command : commands) {
            SendMessageA(dialog, WM_COMMAND, command, 0);
            EXPECT_TRUE(isOpen(dialog)) << "command id " << LOWORD(command) << " closed it";
        }
        pressKey(dialog, editOf(list), VK_ESCAPE);
        EXPECT_TRUE(isOpen(dialog)) << "Esc closed it";
        pressKey(dialog, editOf(list), VK_RETURN);
        EXPECT_TRUE(isOpen(dialog)) << "Enter in the text closed it";
        EXPECT_EQ(gradeIndex, 1) << "nothing but OK takes the grade";
        SendMessageA(dialog, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(gradeIndex, 1);
}

TEST_F(SettingsDialogsTest, GameSettingsOpensTheDetailedSettingsOverItself) {
    HWND game = nullptr;
    int openings = 0;
    openGame(
        [&](HWND dialog) {
            game = dialog;
            setItemText(dialog, IDC_GAMESETTINGS_GRADE, "5:５級");
            click(dialog, IDC_GAMESETTINGS_DETAIL);
            EXPECT_TRUE(isOpen(dialog)) << "still open after the detailed settings";
            EXPECT_TRUE(IsWindowEnabled(dialog)) << "enabled again";
            EXPECT_EQ(itemText(dialog, IDC_GAMESETTINGS_GRADE), "5:５級") << "not refreshed";
            EXPECT_EQ(row(0), "7,3,3,0");
            EXPECT_EQ(row(1), "3,3,5,0");
            click(dialog, IDC_GAMESETTINGS_DETAIL); // a second opening starts on 10級 again
            SendMessageA(dialog, WM_CLOSE, 0, 0);
        },
        [&](HWND detail) {
            ++openings;
            EXPECT_EQ(GetWindow(detail, GW_OWNER), game) << "owned by the game settings dialog";
            EXPECT_FALSE(IsWindowEnabled(game)) << "its owner is disabled meanwhile";
            POINT ownerCorner{0, 0}, corner{0, 0};
            ClientToScreen(game, &ownerCorner);
            ClientToScreen(detail, &corner);
            EXPECT_EQ(corner.x, ownerCorner.x);
            EXPECT_EQ(corner.y, ownerCorner.y);
            EXPECT_EQ(IsDlgButtonChecked(detail, IDC_DETAILSETTINGS_GRADE10), BST_CHECKED);
            if (openings == 1) {
                EXPECT_EQ(fields(detail), "3,3,3");
                setItemText(detail, IDC_DETAILSETTINGS_SYMBOLS, "7");
                click(detail, IDC_DETAILSETTINGS_GRADE9);
                click(detail, IDC_DETAILSETTINGS_OK);
            } else {
                EXPECT_EQ(fields(detail), "7,3,3");
                SendMessageA(detail, WM_CLOSE, 0, 0);
            }
        });
    EXPECT_EQ(openings, 2);
    EXPECT_EQ(gradeIndex, 1) << "the detailed settings never choose the grade";
}

// ---- Detailed settings dialog ------------------------------------------------------------------

TEST_F(SettingsDialogsTest, DetailOpensOnGrade10WhateverGradeIsChosen) {
    for (int32_t chosen : {1, 0, 5, 9, -4, 77}) {
        SCOPED_TRACE(testing::Message() << "gradeIndex " << chosen);
        gradeIndex = chosen;
        editingGrade = 6;
        openDetail([&](HWND dialog) {
            EXPECT_EQ(editingGrade, 0);
            for (int g = 0; g < GradeCount; ++g) {
                EXPECT_EQ(IsDlgButtonChecked(dialog, RadioIds[g]),
                          g == 0 ? BST_CHECKED : BST_UNCHECKED)
                    << "radio of index " << g;
            }
            EXPECT_EQ(fields(dialog), "3,3,3");
            for (int id : {IDC_DETAILSETTINGS_SYMBOLS, IDC_DETAILSETTINGS_SECONDS,
                           IDC_DETAILSETTINGS_TRIES}) {
                EXPECT_EQ(comboItems(GetDlgItem(dialog, id)), "1|2|3|4|5|6|7|8|9") << "list " << id;
            }
            SendMessageA(dialog, WM_CLOSE, 0, 0);
        });
        EXPECT_EQ(gradeIndex, chosen);
    }
}

// Clicking a radio button stores the fields into the grade shown and shows the clicked one; OK
// stores them too, whatever its notification code.
TEST_F(SettingsDialogsTest, DetailEveryRadioAndFieldReachesItsOwnRowAndField) {
    for (int g = 0; g < GradeCount; ++g) {
        gradeTable[g] = {10 + g, 20 + g, 30 + g, 40 + g};
    }
    // Visits every grade, away from its neighbours, comes back to the first and ends on 8級.
    const int visits[] = {9, 1, 5, 0, 8, 2, 7, 3, 6, 4, 0, 2};
    GradeTable expected;
    std::copy(std::begin(gradeTable), std::end(gradeTable), expected);
    const INT_PTR result = openDetail([&](HWND dialog) {
        int shown = 0;
        for (int g : visits) {
            SCOPED_TRACE(testing::Message() << "from index " << shown << " to " << g);
            const int n = g * 3 + shown;
            expected[shown] = {100 + n, 200 + n, 300 + n, expected[shown].reserved};
            typeFields(dialog, std::to_string(100 + n).c_str(), std::to_string(200 + n).c_str(),
                       std::to_string(300 + n).c_str());
            click(dialog, RadioIds[g]);
            for (int r = 0; r < GradeCount; ++r) {
                EXPECT_EQ(row(r), rowText(expected[r])) << "row " << r;
                EXPECT_EQ(IsDlgButtonChecked(dialog, RadioIds[r]),
                          r == g ? BST_CHECKED : BST_UNCHECKED)
                    << "radio of index " << r;
            }
            EXPECT_EQ(fields(dialog) + "," + std::to_string(expected[g].reserved),
                      rowText(expected[g]));
            EXPECT_EQ(editingGrade, g);
            shown = g;
        }
        typeFields(dialog, "1", "2", "3");
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_DETAILSETTINGS_OK, BN_DOUBLECLICKED), 0);
        EXPECT_FALSE(isOpen(dialog)) << "OK ends the dialog";
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(row(2), "1,2,3,42") << "OK stores into the grade shown";
    EXPECT_EQ(row(0), rowText(expected[0]));
}

TEST_F(SettingsDialogsTest, DetailClosingDropsOnlyWhatIsNotStored) {
    const INT_PTR result = openDetail([&](HWND dialog) {
        setItemText(dialog, IDC_DETAILSETTINGS_SYMBOLS, "5");
        click(dialog, IDC_DETAILSETTINGS_GRADE9);
        setItemText(dialog, IDC_DETAILSETTINGS_SYMBOLS, "7");
        SendMessageA(dialog, WM_CLOSE, 0, 0);
        EXPECT_FALSE(isOpen(dialog)) << "closed";
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(row(0), "5,3,3,0") << "stored before the close";
    EXPECT_EQ(row(1), "3,3,5,0") << "the typed 7 is dropped";

    openDetail([&](HWND dialog) {
        typeFields(dialog, "9", "9", "9");
        SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_EQ(row(0), "5,3,3,0") << "closed from the system menu";
}

TEST_F(SettingsDialogsTest, DetailStoresTypedTextAsItReads) {
    const struct {
        const char* typed;
        int32_t stored;
        const char* shown;
    } cases[] = {
        {"05", 5, "5"},
        {" 5", 5, "5"},
        {"12abc", 12, "12"},
        {"abc", 0, "0"},
        {"", 0, "0"},
        {"-1", -1, "-1"},
        {"12", 12, "12"},
        {"+7", 7, "7"},
        {"1234567890", 123456789, "123456789"}, // only nine bytes are read
        {"-1234567890", -12345678, "-12345678"},
        {"\t\t8", 8, "8"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "typed \"" << c.typed << "\"");
        openDetail([&](HWND dialog) {
            typeFields(dialog, c.typed, c.typed, c.typed);
            click(dialog, IDC_DETAILSETTINGS_GRADE10); // the grade already shown
            EXPECT_EQ(fields(dialog), std::string(c.shown) + "," + c.shown + "," + c.shown);
            SendMessageA(dialog, WM_CLOSE, 0, 0);
        });
        EXPECT_EQ(gradeTable[0].symbolCount, c.stored);
        EXPECT_EQ(gradeTable[0].showSeconds, c.stored);
        EXPECT_EQ(gradeTable[0].tryCount, c.stored);
        EXPECT_EQ(gradeTable[0].reserved, 0);
    }
}

TEST_F(SettingsDialogsTest, DetailEscEnterAndOtherCommandsStoreAndCloseNothing) {
    openDetail([&](HWND dialog) {
        typeFields(dialog, "6", "6", "6");
        const WPARAM commands[] = {
            MAKEWPARAM(IDOK, BN_CLICKED),
            MAKEWPARAM(IDCANCEL, BN_CLICKED),
            MAKEWPARAM(IDC_DETAILSETTINGS_SYMBOLS, CBN_SELCHANGE),
            MAKEWPARAM(IDC_DETAILSETTINGS_TRIES, CBN_EDITCHANGE),
            MAKEWPARAM(IDC_DETAILSETTINGS_GROUP, BN_CLICKED),
            MAKEWPARAM(IDC_DETAILSETTINGS_SYMBOLS_LABEL, 0),
            MAKEWPARAM(IDC_DETAILSETTINGS_GRADE10 + 1, BN_CLICKED),
            MAKEWPARAM(IDC_DETAILSETTINGS_OK + 1, BN_CLICKED),
        };
        for (WPARAM command : commands) {
            SendMessageA(dialog, WM_COMMAND, command, 0);
            EXPECT_TRUE(isOpen(dialog)) << "command id " << LOWORD(command) << " closed it";
        }
        HWND edit = editOf(GetDlgItem(dialog, IDC_DETAILSETTINGS_SECONDS));
        pressKey(dialog, edit, VK_ESCAPE);
        EXPECT_TRUE(isOpen(dialog)) << "Esc closed it";
        pressKey(dialog, edit, VK_RETURN);
        EXPECT_TRUE(isOpen(dialog)) << "Enter in a field closed it";
        EXPECT_EQ(row(0), "3,3,3,0") << "nothing stored";
        EXPECT_EQ(fields(dialog), "6,6,6") << "the typed text stays";
        SendMessageA(dialog, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(row(0), "3,3,3,0");
}

TEST_F(SettingsDialogsTest, SwitchEditedGradeUsesRow0ForIndexesOutsideTheTable) {
    const struct {
        int32_t load, save;
        int loadedRow, savedRow;
    } cases[] = {
        {10, -1, 0, 0},       {3, 12, 3, 0}, {INT32_MIN, 7, 0, 7},
        {9, INT32_MAX, 9, 0}, {-1, 9, 0, 9}, {4, 4, 4, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "load " << c.load << ", save " << c.save);
        for (int g = 0; g < GradeCount; ++g) {
            gradeTable[g] = {10 + g, 20 + g, 30 + g, 40 + g};
        }
        openDetail([&](HWND dialog) {
            typeFields(dialog, "4", "5", "6");
            switchEditedGrade(dialog, c.load, c.save);
            EXPECT_EQ(fields(dialog) + ",",
                      row(c.loadedRow).substr(0, row(c.loadedRow).rfind(',') + 1));
            SendMessageA(dialog, WM_CLOSE, 0, 0);
        });
        for (int g = 0; g < GradeCount; ++g) {
            const GradeSetting want = g == c.savedRow
                                          ? GradeSetting{4, 5, 6, 40 + g}
                                          : GradeSetting{10 + g, 20 + g, 30 + g, 40 + g};
            EXPECT_EQ(row(g), rowText(want)) << "row " << g;
        }
    }
}

} // namespace
