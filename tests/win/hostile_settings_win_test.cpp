// Settings files that no player should write: extreme numbers in every field, empty, binary,
// cut short by Ctrl-Z, a megabyte long, tokens of ten thousand bytes. With each the program must
// start, play a started game to its end, and save a well-formed file.
#include "main_window_fixture.h"

#include "core/game_state.h"
#include "resources/resource.h"
#include "settings/settings_file.h"
#include "settings/settings_state.h"
#include "shell/main_window_win.h"
#include "shell/shell_state_win.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <regex>

namespace {

std::string repeated(const std::string& token, int times, const char* separator = "\r\n") {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += token + separator;
    }
    return text;
}

std::string defaultsWithIndex(const std::string& index) {
    return repeated("3 3 3 0", 10) + index + "\r\n";
}

std::string binary(std::size_t size) {
    std::string bytes(size, '\0');
    uint32_t state = 12345;
    for (char& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<char>(state >> 24);
    }
    return bytes;
}

struct HostileCase {
    const char* name;
    std::string content;
};

std::vector<HostileCase> hostileCases() {
    return {
        {"largest values", repeated("2147483647", 41)},
        {"smallest values", repeated("-2147483648", 41)},
        {"values past 32 bits", repeated("99999999999999999999", 41)},
        {"zeros", repeated("0", 41)},
        {"negative ones", repeated("-1", 41)},
        {"empty", ""},
        {"binary", binary(4096)},
        {"ctrl-z first", "\x1a" + repeated("5", 41)},
        {"ctrl-z inside a token", "9\x1a" + repeated("5", 41)},
        {"one megabyte", repeated("7", 1 << 19, " ")},
        {"one megabyte of spaces first", std::string(1 << 20, ' ') + repeated("2", 41)},
        {"tokens of 10000 bytes", repeated(std::string(10000, '9'), 41)},
        {"index 10", defaultsWithIndex("10")},
        {"index 15", defaultsWithIndex("15")},
        {"largest index", defaultsWithIndex("2147483647")},
        {"smallest index", defaultsWithIndex("-2147483648")},
    };
}

class HostileSettingsTest : public MainWindowFixture,
                            public ::testing::WithParamInterface<std::size_t> {};

// Plays as a player who always knows the answer: ticks until the question, clicks the target,
// ends the hold. Returns how many answers it took; stops after a bound so that a fault shows
// as a failure, not a hang.
int playToTheEnd(HWND window, const ModalCatcher& evaluation) {
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(CMD_START, 0), 0);
    int answers = 0;
    for (int step = 0; step < 200 && evaluation.caught().empty(); ++step) {
        if (gameState.phase == GamePhase::Answering) {
            const Cell& target = gameState.problems.problems[gameState.problemIndex].cells[0];
            SendMessageA(
                window, WM_LBUTTONDOWN, MK_LBUTTON,
                MAKELPARAM(target.column * SquareSize + 1, target.row * SquareSize + BoardTop + 1));
            SendMessageA(window, WM_TIMER, FeedbackTimer, 0);
            ++answers;
        } else {
            SendMessageA(window, WM_TIMER, PhaseTimer, 0);
        }
    }
    return answers;
}

TEST_P(HostileSettingsTest, StartsPlaysAndSavesAWellFormedFile) {
    const HostileCase hostile = hostileCases()[GetParam()];
    SCOPED_TRACE(hostile.name);
    scratch.write("setdata.ini", hostile.content);

    ModalCatcher catcher(ModalCatcher::close);
    ASSERT_EQ(createMainWindow(GetModuleHandleA(nullptr)), 1);
    HWND window = mainWindow;
    const SettingsValues read = readSettingsValues(hostile.content);
    EXPECT_EQ(currentSettingsValues(), read) << "the file is taken as it comes";
    EXPECT_TRUE(catcher.caught().empty()) << "an existing file needs no message";

    const int answers = playToTheEnd(window, catcher);
    ASSERT_EQ(catcher.caught().size(), 1u) << "the game reached its evaluation";
    EXPECT_EQ(catcher.caught()[0].caption, "あなたの脳レベルの評価");
    EXPECT_GE(answers, 1);
    EXPECT_LE(answers, ProblemCount);
    EXPECT_EQ(gameState.scoreBasis.solved, answers);

    DestroyWindow(window);
    const std::string written = scratch.read("setdata.ini");
    EXPECT_EQ(written, formatSettings(read)) << "saved as read, nothing lost or limited";
    static const std::regex wellFormed("((0|-?[1-9][0-9]{0,9})\r\n){41}");
    EXPECT_TRUE(std::regex_match(written, wellFormed)) << written.substr(0, 200);
}

INSTANTIATE_TEST_SUITE_P(Files, HostileSettingsTest,
                         ::testing::Range<std::size_t>(0, hostileCases().size()),
                         [](const ::testing::TestParamInfo<std::size_t>& info) {
                             std::string name = hostileCases()[info.param].name;
                             for (char& c : name) {
                                 if (!isalnum(static_cast<unsigned char>(c))) {
                                     c = '_';
                                 }
                             }
                             return name;
                         });

} // namespace
