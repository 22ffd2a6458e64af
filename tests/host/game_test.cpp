// The game's state machine and problem generation, driven through a recorder of the window's
// timers, repaints and evaluation.
#include "core/game.h"
#include "core/random.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Logs "set<id>=<ms>", "kill<id>", "paint" and "eval<phase>"; its clock gives seed 183.
struct Recorder final : GamePlatform {
    std::string log;
    void add(const std::string& call) { log += " " + call; }
    void setTimer(int32_t id, int32_t ms) override {
        add("set" + std::to_string(id) + "=" + std::to_string(ms));
    }
    void killTimer(int32_t id) override { add("kill" + std::to_string(id)); }
    void repaintNow() override { add("paint"); }
    void openEvaluation() override { add("eval" + std::to_string(int(gameState.phase))); }
    int64_t calendarSeconds() override { return 183; }
} recorder;

const Cell* cells() {
    return gameState.problems.problems[gameState.problemIndex].cells;
}

// Phase, feedback, problemIndex, missCount; states of cells 0 to 3; the score basis.
std::string describe() {
    const GameState& s = gameState;
    char text[64];
    std::snprintf(text, sizeof text, "%d%d%d%d %d%d%d%d %d,%d,%d", int(s.phase), int(s.feedback),
                  s.problemIndex, s.missCount, int(cells()[0].state), int(cells()[1].state),
                  int(cells()[2].state), int(cells()[3].state), s.scoreBasis.symbols,
                  s.scoreBasis.seconds, s.scoreBasis.solved);
    return text;
}

} // namespace

TEST(Game, EventSequence) {
    // Each step: the event, the state after it (see describe) and the calls it made. Events: S
    // start, P phase tick, H hold (feedback) tick; clicks: T the target's top left pixel, t its
    // bottom right pixel, r and b the squares right of and below it, the middle of d a distractor
    // and of x a cell not in play.
    const char* const steps[] = {
        "S 1000 1111 0,0,0 | paint set1=3000", "P 2000 2221 0,0,0 | set1=1000 paint",
        "T 2000 2221 0,0,0 |", "P 3100 2221 0,0,0 | paint", "r 3100 2221 0,0,0 |",
        "b 3100 2221 0,0,0 |", "x 3100 2221 0,0,0 |", "d 3301 2421 0,0,0 | set2=2000",
        "d 3301 2421 0,0,0 |", "H 3001 2421 0,0,0 | kill2", "P 3001 2421 0,0,0 | paint",
        "t 3201 3411 3,3,1 | set2=2000", "H 4011 1111 3,3,1 | kill2",
        "P 1011 1111 3,3,1 | set1=3000 paint", "P 2011 2221 3,3,1 | set1=1000 paint",
        "P 3111 2221 3,3,1 | paint", "T 3211 3111 3,3,2 | set2=2000",
        "H 0021 1111 3,3,2 | kill2 eval0", "P 0021 1111 3,3,2 | kill1 paint",
        "S 1000 1111 3,3,2 | paint set1=3000", "P 2000 2221 3,3,2 | set1=1000 paint",
        "P 3100 2221 3,3,2 | paint",
        // A start while the question is asked keeps it: it asks for the new target.
        "S 1100 1111 3,3,2 | paint set1=3000", "P 2100 2221 3,3,2 | set1=1000 paint",
        "P 3100 2221 3,3,2 | paint", "T 3200 3111 3,3,1 | set2=2000",
        // A start during a hold ends the hold, whether the answer was right or wrong.
        "S 1000 1111 3,3,1 | kill2 paint set1=3000", "P 2000 2221 3,3,1 | set1=1000 paint",
        "P 3100 2221 3,3,1 | paint", "d 3301 2421 3,3,1 | set2=2000",
        "S 1000 1111 3,3,1 | kill2 paint set1=3000"};
    resetGameState();
    gamePlatform = &recorder;
    gameState.symbolCount = 3;
    gameState.showMillis = 3000;
    gameState.tryCount = 2;
    for (const char* step : steps) {
        const char e = step[0];
        recorder.log.clear();
        const Cell& other = cells()[e == 'd' ? 1 : 3];
        const uint32_t x = cells()[0].column * 32 + (e == 't' ? 31 : e == 'r' ? 32 : 0);
        const uint32_t y = cells()[0].row * 32 + 40 + (e == 't' ? 31 : e == 'b' ? 32 : 0);
        e == 'S'               ? startGame()
        : e == 'P'             ? onPhaseTimer()
        : e == 'H'             ? onFeedbackTimer()
        : e == 'd' || e == 'x' ? onClick(other.column * 32 + 16, other.row * 32 + 56)
                               : onClick(x, y);
        EXPECT_EQ(std::string(1, e) + " " + describe() + " |" + recorder.log, step);
    }
}

TEST(Game, GeneratedProblems) {
    seedRandom(1);
    EXPECT_EQ(nextRandom(), 346);
    EXPECT_EQ(nextRandom(), 130);
    resetGameState();
    gamePlatform = &recorder;
    startGame();
    for (const Problem& problem : gameState.problems.problems) {
        std::string symbols;
        for (const Cell& cell : problem.cells) {
            const int32_t c = cell.symbol;
            EXPECT_TRUE((c >= '1' && c <= '9') || (c >= 'A' && c <= 'Z')) << c;
            EXPECT_EQ(symbols.find(char(c)), std::string::npos) << symbols << char(c);
            symbols += char(c);
            for (const Cell* other = problem.cells; other != &cell; ++other) {
                EXPECT_FALSE(std::abs(other->column - cell.column) < 2 &&
                             std::abs(other->row - cell.row) < 2);
            }
        }
    }
    // Seed 183: the first problem has a draw refused at a corner and cells two squares apart in
    // each of the four directions.
    std::string first;
    for (const Cell& cell : gameState.problems.problems[0].cells) {
        first += std::to_string(cell.column) + "," + std::to_string(cell.row) + "," +
                 char(cell.symbol) + " ";
    }
    EXPECT_EQ(first, "5,1,T 10,1,1 16,4,F 15,12,4 1,13,N 7,8,P 4,5,8 6,6,9 13,12,H 17,6,M ");
}
