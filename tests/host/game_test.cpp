// The game's state machine and problem generation, driven through a recorder of the window's
// timers, repaints and evaluation.
#include "core/game.h"
#include "core/random.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

struct Recorder final : GamePlatform {
    std::string log;
    int64_t seconds = 1;
    void setTimer(int32_t id, int32_t ms) override {
        log += "set" + std::to_string(id) + ":" + std::to_string(ms) + " ";
    }
    void killTimer(int32_t id) override { log += "kill" + std::to_string(id) + " "; }
    void repaintNow() override { log += "paint "; }
    void openEvaluation() override {
        log += "evaluate" + std::to_string(static_cast<int>(gameState.phase)) + " ";
    }
    int64_t calendarSeconds() override { return seconds; }
};

const Cell* cells() {
    return gameState.problems.problems[gameState.problemIndex].cells;
}

// Phase, feedback, problemIndex, missCount; states of cells 0 to 3; score basis.
std::string describe() {
    std::string text;
    for (int32_t value : {int32_t(gameState.phase), int32_t(gameState.feedback),
                          gameState.problemIndex, gameState.missCount}) {
        text += std::to_string(value);
    }
    text += " ";
    for (int i = 0; i < 4; ++i) {
        text += std::to_string(static_cast<int>(cells()[i].state));
    }
    const ScoreBasis& basis = gameState.scoreBasis;
    return text + " " + std::to_string(basis.symbols) + "," + std::to_string(basis.seconds) + "," +
           std::to_string(basis.solved);
}

// The pixel of each click, from the top left corner of the target's square (cell 0).
void click(char event) {
    const uint32_t x = cells()[0].column * 32, y = cells()[0].row * 32 + 40;
    const uint32_t dx = event == 't' ? 31 : event == 'r' ? 32 : 0;
    const uint32_t dy = event == 't' ? 31 : event == 'b' ? 32 : 0;
    if (event == 'd') { // the middle of the first distractor
        onClick(cells()[1].column * 32 + 16, cells()[1].row * 32 + 56);
    } else {
        onClick(x + dx, y + dy);
    }
}

} // namespace

TEST(Game, EventSequence) {
    // S start, P phase tick, H hold (feedback) tick; clicks: T the target's top left pixel, t its
    // bottom right pixel, r and b the squares right of and below it, d a distractor.
    const struct {
        char event;
        const char* state;
        const char* calls;
    } steps[] = {
        {'S', "1000 1111 0,0,0", "paint set1:3000 "},
        {'P', "2000 2221 0,0,0", "set1:1000 paint "},
        {'T', "2000 2221 0,0,0", ""},
        {'P', "3100 2221 0,0,0", "paint "},
        {'r', "3100 2221 0,0,0", ""},
        {'b', "3100 2221 0,0,0", ""},
        {'d', "3301 2421 0,0,0", "set2:2000 "},
        {'d', "3301 2421 0,0,0", ""},
        {'H', "3001 2421 0,0,0", "kill2 "},
        {'P', "3001 2421 0,0,0", "paint "},
        {'t', "3201 3411 3,3,1", "set2:2000 "},
        {'H', "4011 1111 3,3,1", "kill2 "},
        {'P', "1011 1111 3,3,1", "set1:3000 paint "},
        {'P', "2011 2221 3,3,1", "set1:1000 paint "},
        {'P', "3111 2221 3,3,1", "paint "},
        {'T', "3211 3111 3,3,2", "set2:2000 "},
        {'H', "0021 1111 3,3,2", "kill2 evaluate0 "},
        {'P', "0021 1111 3,3,2", "kill1 paint "},
        {'S', "1000 1111 3,3,2", "paint set1:3000 "},
        {'P', "2000 2221 3,3,2", "set1:1000 paint "},
        {'P', "3100 2221 3,3,2", "paint "},
        // A start while the question is asked keeps it: it asks for the new target.
        {'S', "1100 1111 3,3,2", "paint set1:3000 "},
        {'P', "2100 2221 3,3,2", "set1:1000 paint "},
        {'P', "3100 2221 3,3,2", "paint "},
        {'T', "3200 3111 3,3,1", "set2:2000 "},
        // A start during a hold ends the hold, whether the answer was right or wrong.
        {'S', "1000 1111 3,3,1", "kill2 paint set1:3000 "},
        {'P', "2000 2221 3,3,1", "set1:1000 paint "},
        {'P', "3100 2221 3,3,1", "paint "},
        {'d', "3301 2421 3,3,1", "set2:2000 "},
        {'S', "1000 1111 3,3,1", "kill2 paint set1:3000 "},
    };
    resetGameState();
    Recorder recorder;
    gamePlatform = &recorder;
    gameState.symbolCount = 3;
    gameState.showMillis = 3000;
    gameState.tryCount = 2;
    for (size_t i = 0; i < std::size(steps); ++i) {
        const char event = steps[i].event;
        event == 'S'   ? startGame()
        : event == 'P' ? onPhaseTimer()
        : event == 'H' ? onFeedbackTimer()
                       : click(event);
        EXPECT_EQ(describe(), steps[i].state) << "step " << i << " " << event;
        EXPECT_EQ(recorder.log, steps[i].calls) << "step " << i << " " << event;
        recorder.log.clear();
    }
    resetGameState();
}

TEST(Game, GeneratedProblems) {
    seedRandom(1);
    EXPECT_EQ(nextRandom(), 346);
    EXPECT_EQ(nextRandom(), 130);
    resetGameState();
    Recorder clock;
    gamePlatform = &clock;
    for (clock.seconds = 50; clock.seconds >= 1; --clock.seconds) {
        startGame();
        for (const Problem& problem : gameState.problems.problems) {
            std::string symbols;
            for (const Cell& cell : problem.cells) {
                const int32_t c = cell.symbol;
                EXPECT_TRUE((c >= '1' && c <= '9') || (c >= 'A' && c <= 'Z')) << c;
                EXPECT_EQ(symbols.find(char(cell.symbol)), std::string::npos) << symbols;
                symbols += char(cell.symbol);
                for (const Cell* other = problem.cells; other != &cell; ++other) {
                    EXPECT_FALSE(std::abs(other->column - cell.column) < 2 &&
                                 std::abs(other->row - cell.row) < 2);
                }
            }
        }
    }
    std::string first;
    for (const Cell& cell : gameState.problems.problems[0].cells) {
        first += std::to_string(cell.column) + "," + std::to_string(cell.row) + "," +
                 char(cell.symbol) + " ";
    }
    EXPECT_EQ(first, "6,10,S 10,1,D 15,10,O 6,4,Y 11,4,V 12,6,T 7,14,C 14,14,7 19,1,H 11,10,4 ");
    resetGameState();
}
