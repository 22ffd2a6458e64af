// setdata.ini read and written, the default grades, the play parameters derived from the chosen
// grade, and what the settings dialogs make of their texts and buttons.
#include "core/game_state.h"
#include "settings/grade_choice.h"
#include "settings/grades.h"
#include "settings/save_cleanup.h"
#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

TEST(SettingsFile, ReadsTokensBetweenWhitespaceUntilCtrlZ) {
    const std::pair<const char*, std::vector<int32_t>> cases[] = {
        // Tab, LF, VT, FF, CR and space separate; the bytes just outside that range do not.
        // Octal escapes: \010 and \016 are those two bytes, \032 is Ctrl-Z.
        {"1\t2\n3\v4\f5\r6 7\0108 9\01610 -2", {1, 2, 3, 4, 5, 6, 7, 9, -2}},
        {"7abc abc +4 -2 4294967299 007 - 5", {7, 0, 4, -2, 3, 7, 0, 5}},
        {"1 12\0323 4", {1, 12}},
        // 19 bytes of a longer token are read; the rest is dropped, not read as the next value.
        {"12345678901234567890123 5", {2112454933, 5}},
    };
    for (const auto& [text, values] : cases) {
        SettingsValues expected{};
        std::copy(values.begin(), values.end(), expected.begin());
        EXPECT_EQ(readSettingsValues(text), expected) << text;
    }
}

TEST(SettingsFile, IsOneOnlyWithANumberAmongTheValuesRead) {
    std::string words; // 41 values that are no numbers
    for (int i = 0; i < 41; ++i) {
        words += "key=value\r\n";
    }
    const std::pair<std::string, bool> cases[] = {
        {"[Window]\r\nWidth=640\r\n", false},
        {"", false},
        {" \r\n\t+ - x7", false},
        {"\0325", false},
        {words + "5", false},
        {words.substr(11) + "5", true},
        {"0", true},
        {"-3", true},
        {"+4", true},
        {"name 7abc", true},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(holdsSettingsNumber(text), expected) << text;
    }
}

TEST(SettingsFile, DefaultsAreWrittenIn123Bytes) {
    resetSettingsState();
    // A start without the file: 9級 chosen, which the default grades loaded again leave as it is.
    loadFactorySettings(), loadDefaultGrades();
    std::ifstream file(MABATAKIBAN_DEFAULT_FILE, std::ios::binary); // one value a line, CR LF
    const std::string expected(std::istreambuf_iterator<char>(file), {});
    ASSERT_EQ(expected.size(), 123u);
    EXPECT_EQ(formatSettings(currentSettingsValues()), expected);
}

TEST(SettingsFile, ExtremeValuesComeBackAndNothingElse) {
    SettingsValues values{INT32_MIN, INT32_MAX, -1, 0};
    for (int i = 4; i < 41; ++i) {
        values[i] = -7 * i;
    }
    applySettingsValues(values);
    // All 41 values are read back; a 42nd is ignored.
    EXPECT_EQ(readSettingsValues(formatSettings(currentSettingsValues()) + "5\r\n"), values);
}

TEST(PlayParameters, ComeFromTheChosenGradeWithinTheGamesLimits) {
    const struct {
        int32_t gradeIndex, row;
        GradeSetting grade;
        int32_t symbols, millis, tries;
    } cases[] = {
        {4, 4, {5, 3, 9, 0}, 5, 3000, 9},
        {4, 4, {0, 0, 0, 0}, 1, 1000, 1},
        {4, 4, {11, 2147483, 11, 0}, 10, 2147483000, 10},
        {4, 4, {10, 2147484, INT32_MIN, 0}, 10, 2147483000, 1},
        {-1, 0, {7, 2, 8, 0}, 7, 2000, 8},
        {10, 9, {6, 4, 3, 0}, 6, 4000, 3},
    };
    for (const auto& c : cases) {
        resetSettingsState();
        gradeTable[c.row] = c.grade;
        gradeIndex = c.gradeIndex;
        onSettingsApplied();
        EXPECT_EQ((std::array<int32_t, 3>{gameState.symbolCount, gameState.showMillis,
                                          gameState.tryCount}),
                  (std::array<int32_t, 3>{c.symbols, c.millis, c.tries}));
    }
}

TEST(SettingsDialogs, GradeOfTheListTextAndOfEachRadioButton) {
    // The grade before is 5; a first byte whose low four bits are 10 to 15 keeps it.
    const std::pair<const char*, int32_t> texts[] = {{"0:10級", 0}, {"9:１級", 9}, {"A", 1},
                                                     {":", 5},      {"?", 5},      {"", 0}};
    for (const auto& [text, grade] : texts) {
        EXPECT_EQ(chosenGradeIndex(text, 5), grade) << text;
    }
    const int radios[] = {102, 109, 110, 111, 112, 113, 114, 115, 116, 117};
    for (int32_t grade = 0; grade < 10; ++grade) {
        EXPECT_EQ(chosenGradeIndex(gradeLabels[grade], -1), grade);
        EXPECT_EQ(gradeOfRadio(radios[grade]), grade);
    }
    EXPECT_EQ(gradeOfRadio(103), -1);
    EXPECT_STREQ(numberText(INT32_MIN).data(), "-2147483648");
    EXPECT_EQ(parseInteger(" \t-12"), -12);
    EXPECT_EQ(parseInteger("- 5"), 0);
}

TEST(SavingSettings, EndsWithTheOldOrTheNewFileWhateverTheReplaceDid) {
    // The replace's result and error; which of setdata.ini, the backup and the temporary are there
    // afterwards; then whether the backup is restored, the backup deleted, the temporary deleted.
    const struct {
        bool succeeded;
        uint32_t error;
        SaveFiles there;
        const char* cleanup;
    } cases[] = {
        {true, 0, {true, true, false}, "-B-"},     // the old file is the backup
        {false, 1175, {true, false, true}, "--T"}, // names kept, as for 1176
        {false, 1177, {false, true, true}, "R-T"}, // the old file at the backup name
        {false, 1177, {true, true, true}, "R-T"},  // and something else under setdata.ini
        {false, 5, {false, true, true}, "R-T"},    // the old file moved, whatever the error says
        {false, 5, {true, true, true}, "--T"},     // both there: neither copy is deleted
    };
    for (const auto& c : cases) {
        const SaveCleanup done =
            cleanupAfterReplace(replaceResultOf(c.succeeded, c.error), c.there);
        EXPECT_EQ(std::string(done.restoreBackup ? "R" : "-") + (done.deleteBackup ? "B" : "-") +
                      (done.deleteTemporary ? "T" : "-"),
                  c.cleanup)
            << "error " << c.error;
    }
    // A start without setdata.ini takes back the backup written last, of names as a save gives
    // them, in any letter case; nothing else.
    EXPECT_EQ(saveBackupName(0x1A2B), "setdata-backup-1A2B.ini");
    const std::vector<FoundFile> found = {
        {"setdata-backup-00A1.ini", 5}, {"SETDATA-BACKUP-00a2.INI", 9},
        {"setdata-backup-00A3.ini", 7}, {"set00A4.tmp", 30},
        {"setdata-backup-0A5.ini", 30}, {"setdata-backup-00G6.ini", 30}};
    EXPECT_EQ(backupToTakeBack(found), 1);
}
