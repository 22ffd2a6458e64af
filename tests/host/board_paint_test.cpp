#include "core/board_paint.h"
#include "core/game_state.h"
#include "core/problems.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class BoardPaintTest : public ::testing::Test {
  protected:
    void SetUp() override { resetGameState(); }
};

void placeCell(int32_t problem, int32_t i, int32_t column, int32_t row, char symbol,
               CellState state) {
    gameState.problems.problems[problem].cells[i] = Cell{column, row, symbol, state};
}

// The bytes of a run, checked against the whole zero-filled buffer.
std::string bytesOf(const TextRun& run) {
    for (int32_t i = run.length; i < MessageBufferSize; ++i) {
        EXPECT_EQ(run.text[i], '\0') << "byte " << i << " after the text";
    }
    return std::string(run.text, static_cast<size_t>(run.length));
}

const std::string askPrefix = "\x81\x75"; // 「
const std::string askSuffix =
    "\x81\x76\x82\xcd\x89\xbd\x8f\x88\x82\xc5\x82\xb7\x82\xa9\x81\x48"; // 」は何処ですか？
const std::string correctBytes = "\x90\xb3\x89\xf0\x82\xc5\x82\xb7";    // 正解です
const std::string wrongBytes = "\x95\x73\x90\xb3\x89\xf0\x82\xc5\x82\xb7"; // 不正解です

std::string ask(char symbol) {
    return askPrefix + symbol + askSuffix;
}

} // namespace

TEST_F(BoardPaintTest, CellsFollowTheirState) {
    gameState.phase = GamePhase::Answering;
    gameState.symbolCount = 7;
    placeCell(0, 0, 19, 14, 'Z', CellState::Found);
    placeCell(0, 1, 0, 0, '1', CellState::Visible);
    placeCell(0, 2, 5, 3, 'K', CellState::Hidden);
    placeCell(0, 3, 8, 6, '9', CellState::WrongPick);
    placeCell(0, 4, 0, 0, '\0', CellState::Empty);   // never generated: nothing to draw
    placeCell(0, 5, 20, 2, 'A', CellState::Visible); // off the board
    placeCell(0, 6, 12, 9, 'M', CellState::Visible);
    placeCell(0, 7, 14, 11, 'X', CellState::Visible); // beyond symbolCount
    const struct {
        int32_t x, y;
        uint32_t text, back;
        std::string bytes;
    } expected[] = {
        {608, 488, ColorGreen, ColorBlack, "Z"}, {0, 40, ColorWhite, ColorBlack, "1"},
        {160, 136, ColorWhite, ColorWhite, " "}, {256, 232, ColorRed, ColorBlack, "9"},
        {384, 328, ColorWhite, ColorBlack, "M"},
    };
    const BoardPaint plan = planBoardPaint(gameState);
    ASSERT_EQ(plan.count, 5);
    for (int i = 0; i < plan.count; ++i) {
        const TextRun& run = plan.runs[i];
        EXPECT_EQ(run.x, expected[i].x) << "run " << i;
        EXPECT_EQ(run.y, expected[i].y) << "run " << i;
        EXPECT_EQ(run.textColor, expected[i].text) << "run " << i;
        EXPECT_EQ(run.backColor, expected[i].back) << "run " << i;
        EXPECT_EQ(bytesOf(run), expected[i].bytes) << "run " << i;
    }
}

TEST_F(BoardPaintTest, MessagesFollowTheFeedback) {
    gameState.symbolCount = 3;
    placeCell(0, 0, 4, 0, 'Q', CellState::Hidden);
    placeCell(0, 1, 9, 1, '7', CellState::Hidden);
    placeCell(0, 2, 2, 3, 'B', CellState::Hidden);
    const struct {
        Feedback feedback;
        std::string bytes; // Shift-JIS
        uint32_t color;
        int32_t x;
    } cases[] = {
        {Feedback::Ask, ask('Q'), ColorBlue, 0},
        {Feedback::Correct, correctBytes, ColorGreen, 100},
        {Feedback::Wrong, wrongBytes, ColorRed, 100},
    };
    const GamePhase phases[] = {GamePhase::Answering, GamePhase::Idle};
    for (GamePhase phase : phases) {
        for (const auto& c : cases) {
            SCOPED_TRACE(::testing::Message() << "phase " << static_cast<int>(phase)
                                              << ", feedback " << static_cast<int>(c.feedback));
            gameState.phase = phase;
            gameState.feedback = c.feedback;
            const BoardPaint plan = planBoardPaint(gameState);
            // Cells first, the message over them last; no cells while Idle.
            ASSERT_EQ(plan.count, phase == GamePhase::Idle ? 1 : 4);
            const TextRun& message = plan.runs[plan.count - 1];
            EXPECT_EQ(bytesOf(message), c.bytes);
            EXPECT_EQ(message.textColor, c.color);
            EXPECT_EQ(message.backColor, ColorBlack);
            EXPECT_EQ(message.x, c.x);
            EXPECT_EQ(message.y, 2 * 32 + 40); // rows 0, 1 and 3 hold cells
        }
    }
    gameState.feedback = Feedback::None;
    EXPECT_EQ(planBoardPaint(gameState).count, 0);
}

TEST_F(BoardPaintTest, MessageRowIsTheFirstRowTheProblemLeavesFree) {
    const struct {
        int32_t rows[CellsPerProblem];
        int32_t symbolCount;
        int32_t row;
    } cases[] = {
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 10, 0},
        {{0, 1, 3, 0, 0, 0, 0, 0, 0, 0}, 3, 2},
        {{3, 2, 1, 0, 9, 8, 7, 6, 5, 4}, 10, 10},
        {{0, 0, 2, 2, 4, 4, 6, 6, 8, 8}, 10, 1},
        {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 4, 4},   // later cells are not in play
        {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 0, 1},   // played as one cell
        {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 99, 10}, // played as ten cells
        {{14, 13, 12, 11, 10, 9, 8, 7, 6, 5}, 10, 0},
        {{15, -1, 0, 0, 0, 0, 0, 0, 0, 0}, 3, 1}, // rows off the board mark nothing
    };
    for (const auto& c : cases) {
        resetGameState();
        gameState.symbolCount = c.symbolCount;
        gameState.problemIndex = 4;
        for (int32_t i = 0; i < CellsPerProblem; ++i) {
            placeCell(4, i, i, c.rows[i], 'A', CellState::Visible);
        }
        EXPECT_EQ(freeMessageRow(gameState), c.row) << "case with symbolCount " << c.symbolCount;
    }
}

TEST_F(BoardPaintTest, QuestionMovesFromProblemToProblem) {
    generateProblemSet(gameState.problems, 20240601);
    gameState.symbolCount = 9;
    gameState.phase = GamePhase::Answering;
    gameState.feedback = Feedback::Ask;
    bool moved = false;
    int32_t firstRow = -1;
    for (int32_t p = 0; p < ProblemCount; ++p) {
        gameState.problemIndex = p;
        const BoardPaint plan = planBoardPaint(gameState);
        ASSERT_EQ(plan.count, 10);
        const TextRun& question = plan.runs[9];
        const int32_t row = (question.y - 40) / 32;
        for (int32_t i = 0; i < 9; ++i) {
            EXPECT_NE(plan.runs[i].y, question.y) << "problem " << p << " cell " << i;
        }
        for (int32_t r = 0; r < row; ++r) {
            bool used = false;
            for (int32_t i = 0; i < 9; ++i) {
                used = used || plan.runs[i].y == r * 32 + 40;
            }
            EXPECT_TRUE(used) << "problem " << p << " leaves row " << r
                              << " free above the question";
        }
        EXPECT_EQ(question.text[2],
                  static_cast<char>(gameState.problems.problems[p].cells[0].symbol));
        firstRow = p == 0 ? row : firstRow;
        moved = moved || row != firstRow;
    }
    EXPECT_TRUE(moved);
}

TEST_F(BoardPaintTest, IntervalShowsTheNextProblemUncovered) {
    generateProblemSet(gameState.problems, 99);
    gameState.symbolCount = 5;
    gameState.phase = GamePhase::Interval;
    gameState.problemIndex = 1;
    const BoardPaint plan = planBoardPaint(gameState);
    ASSERT_EQ(plan.count, 5);
    for (int32_t i = 0; i < 5; ++i) {
        const Cell& cell = gameState.problems.problems[1].cells[i];
        EXPECT_EQ(plan.runs[i].x, cell.column * 32);
        EXPECT_EQ(plan.runs[i].y, cell.row * 32 + 40);
        EXPECT_EQ(plan.runs[i].text[0], static_cast<char>(cell.symbol));
        EXPECT_EQ(plan.runs[i].backColor, ColorBlack);
    }
}

// After the last of ten problems problemIndex is 10 while the correct message is still drawn:
// it stays on the row it had on the last problem.
TEST_F(BoardPaintTest, IndexPastTheProblemsUsesTheLastProblem) {
    gameState.symbolCount = 2;
    gameState.tryCount = 10;
    placeCell(9, 0, 0, 0, 'A', CellState::Found);
    placeCell(9, 1, 5, 1, 'B', CellState::Visible);
    placeCell(0, 0, 0, 5, 'C', CellState::Visible);
    placeCell(0, 1, 7, 1, 'D', CellState::Visible);
    const struct {
        int32_t index;
        GamePhase phase;
        Feedback feedback;
        int32_t row;
        std::string bytes;
    } cases[] = {
        {10, GamePhase::Idle, Feedback::Correct, 2, correctBytes},
        // Not reached in play; the message still lands on the board and no cell is read.
        {10, GamePhase::Answering, Feedback::Ask, 2, ask('A')},
        {-3, GamePhase::Answering, Feedback::Wrong, 0, wrongBytes},
    };
    for (const auto& c : cases) {
        gameState.problemIndex = c.index;
        gameState.phase = c.phase;
        gameState.feedback = c.feedback;
        const BoardPaint plan = planBoardPaint(gameState);
        ASSERT_EQ(plan.count, 1) << "problemIndex " << c.index;
        EXPECT_EQ(plan.runs[0].y, c.row * 32 + 40) << "problemIndex " << c.index;
        EXPECT_EQ(bytesOf(plan.runs[0]), c.bytes) << "problemIndex " << c.index;
    }
}

TEST_F(BoardPaintTest, QuestionForAnUngeneratedTargetStaysReadable) {
    gameState.symbolCount = 1;
    gameState.phase = GamePhase::Answering;
    gameState.feedback = Feedback::Ask;
    const int32_t symbols[] = {0, -1, 0x80, 0x1234};
    for (int32_t symbol : symbols) {
        placeCell(0, 0, 3, 0, 'A', CellState::Hidden);
        gameState.problems.problems[0].cells[0].symbol = symbol;
        const BoardPaint plan = planBoardPaint(gameState);
        const TextRun& question = plan.runs[plan.count - 1];
        EXPECT_EQ(bytesOf(question), ask('?')) << "symbol " << symbol;
    }
}
