// What the board draws: each cell by its state and the message line on the first row the
// current problem leaves free. Texts are compiled to Shift-JIS like the program's.
#include "core/board_paint.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// x, y, text colour, background colour, text.
std::string describe(const TextRun& run) {
    char head[40];
    std::snprintf(head, sizeof head, "%d %d %06X %06X ", run.x, run.y, run.textColor,
                  run.backColor);
    return head + std::string(run.text, run.length);
}

} // namespace

TEST(BoardPaint, CellsThenTheMessage) {
    resetGameState();
    gameState.symbolCount = 4;
    gameState.problemIndex = 1;
    Cell* cells = gameState.problems.problems[1].cells;
    cells[0] = {0, 0, 'Q', CellState::Found};
    cells[1] = {5, 1, '7', CellState::Hidden};
    cells[2] = {9, 3, 'B', CellState::WrongPick};
    cells[3] = {19, 14, 'Z', CellState::Visible};
    cells[4] = {12, 2, 'K', CellState::Visible}; // not in play: its row stays free
    const struct {
        GamePhase phase;
        Feedback feedback;
        const char* runs;
    } cases[] = {
        {GamePhase::Interval, Feedback::None,
         "0 40 00FF00 000000 Q|160 72 FFFFFF FFFFFF  |288 136 0000FF 000000 B|"
         "608 488 FFFFFF 000000 Z|"},
        {GamePhase::Answering, Feedback::Ask,
         "0 40 00FF00 000000 Q|160 72 FFFFFF FFFFFF  |288 136 0000FF 000000 B|"
         "608 488 FFFFFF 000000 Z|0 104 FF0000 000000 「Q」は何処ですか？|"},
        {GamePhase::Idle, Feedback::Correct, "100 104 00FF00 000000 正解です|"},
        {GamePhase::Idle, Feedback::Wrong, "100 104 0000FF 000000 不正解です|"},
    };
    for (const auto& c : cases) {
        gameState.phase = c.phase;
        gameState.feedback = c.feedback;
        const BoardPaint plan = planBoardPaint(gameState);
        std::string runs;
        for (int i = 0; i < plan.count; ++i) {
            runs += describe(plan.runs[i]) + "|";
        }
        EXPECT_EQ(runs, c.runs);
    }
    resetGameState();
}
