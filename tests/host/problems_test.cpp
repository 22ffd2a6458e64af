#include "core/game.h"
#include "core/game_state.h"
#include "core/problems.h"
#include "core/random.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>

namespace {

class ProblemsTest : public ::testing::Test {
  protected:
    void SetUp() override { resetGameState(); }
};

class FixedClock final : public GamePlatform {
  public:
    int64_t seconds = 0;
    void setTimer(int32_t, int32_t) override {}
    void killTimer(int32_t) override {}
    void repaintNow() override {}
    void openEvaluation() override {}
    int64_t calendarSeconds() override { return seconds; }
};

bool isSymbol(int32_t c) {
    return (c >= '1' && c <= '9') || (c >= 'A' && c <= 'Z');
}

} // namespace

TEST_F(ProblemsTest, RandomSourceFollowsItsRecurrence) {
    const struct {
        uint32_t seed;
        int32_t first;
        int32_t second;
    } cases[] = {
        {1, 346, 130},
        {0, 0, 346},
        // The state wraps modulo 2^32 rather than growing.
        {0xFFFFFFFFu, 32421, 561},
    };
    for (const auto& c : cases) {
        seedRandom(c.seed);
        EXPECT_EQ(nextRandom(), c.first) << "seed " << c.seed;
        EXPECT_EQ(nextRandom(), c.second) << "seed " << c.seed;
    }
}

TEST_F(ProblemsTest, EveryProblemKeepsTheBoardRules) {
    for (uint32_t seed = 0; seed < 2000; ++seed) {
        ProblemSet set;
        std::memset(&set, 0xA5, sizeof set); // what was there before must not survive
        generateProblemSet(set, seed * 2654435761u);
        for (int p = 0; p < ProblemCount; ++p) {
            const Problem& problem = set.problems[p];
            std::set<int32_t> symbols;
            for (int j = 0; j < CellsPerProblem; ++j) {
                const Cell& cell = problem.cells[j];
                SCOPED_TRACE(::testing::Message()
                             << "seed " << seed << " problem " << p << " cell " << j);
                ASSERT_TRUE(isSymbol(cell.symbol)) << "symbol " << cell.symbol;
                ASSERT_TRUE(symbols.insert(cell.symbol).second) << "repeated " << cell.symbol;
                ASSERT_EQ(cell.state, CellState::Visible);
                ASSERT_GE(cell.column, 0);
                ASSERT_LT(cell.column, BoardColumns);
                ASSERT_GE(cell.row, 0);
                ASSERT_LT(cell.row, BoardRows);
                for (int k = 0; k < j; ++k) {
                    const Cell& other = problem.cells[k];
                    ASSERT_FALSE(std::abs(cell.column - other.column) <= 1 &&
                                 std::abs(cell.row - other.row) <= 1)
                        << "touches cell " << k;
                }
            }
        }
    }
}

TEST_F(ProblemsTest, UsesTheWholeAlphabetAndBoard) {
    std::set<int32_t> symbols;
    std::set<int32_t> squares;
    for (uint32_t seed = 0; seed < 200; ++seed) {
        ProblemSet set;
        generateProblemSet(set, seed);
        for (const Problem& problem : set.problems) {
            for (const Cell& cell : problem.cells) {
                symbols.insert(cell.symbol);
                squares.insert(cell.row * BoardColumns + cell.column);
            }
        }
    }
    EXPECT_EQ(symbols.size(), 35u);
    EXPECT_EQ(squares.size(), static_cast<size_t>(BoardColumns * BoardRows));
}

TEST_F(ProblemsTest, SameSeedGivesTheSameSet) {
    ProblemSet first;
    ProblemSet second;
    ProblemSet other;
    generateProblemSet(first, 77);
    generateProblemSet(second, 77);
    generateProblemSet(other, 78);
    EXPECT_EQ(std::memcmp(&first, &second, sizeof first), 0);
    EXPECT_NE(std::memcmp(&first, &other, sizeof first), 0);
}

TEST_F(ProblemsTest, CellsTakeColumnRowAndSymbolInDrawOrder) {
    // Seed 1 draws 346, 130, 10982, 1090, 11656, 7117: column 346 % 20, row 130 % 15, symbol
    // code 10982 % 35 + 1 = 28, which is 'S'.
    ProblemSet set;
    generateProblemSet(set, 1);
    const struct {
        int32_t column;
        int32_t row;
        int32_t symbol;
    } expected[] = {{6, 10, 'S'}, {10, 1, 'D'}};
    for (int j = 0; j < 2; ++j) {
        const Cell& cell = set.problems[0].cells[j];
        EXPECT_EQ(cell.column, expected[j].column) << "cell " << j;
        EXPECT_EQ(cell.row, expected[j].row) << "cell " << j;
        EXPECT_EQ(cell.symbol, expected[j].symbol) << "cell " << j;
    }
}

TEST_F(ProblemsTest, StartSeedsWithTheClockInWholeSeconds) {
    FixedClock clock;
    gamePlatform = &clock;
    const struct {
        int64_t seconds;
        uint32_t seed;
    } cases[] = {
        {1700000000, 1700000000u},
        // Past 2038 only the low 32 bits of the time count.
        {(int64_t{1} << 32) + 5, 5u},
    };
    for (const auto& c : cases) {
        clock.seconds = c.seconds;
        generateProblemSet();
        ProblemSet expected;
        generateProblemSet(expected, c.seed);
        EXPECT_EQ(std::memcmp(&gameState.problems, &expected, sizeof expected), 0)
            << "seconds " << c.seconds;
    }
}
