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
    // Cells 0 to 3 are in play; cell 4 is not, so its row stays free.
    const Cell placed[] = {{0, 0, 'Q', {}}, {5, 1, '7', {}}, {9, 3, 'B', {}}, {19, 14, 'Z', {}}};
    Cell* cells = gameState.problems.problems[9].cells;
    cells[4] = {12, 2, 'K', CellState::Visible};
    // States of cells 0 to 3 (1 Visible, 2 Hidden, 3 Found, 4 WrongPick) as play leaves them.
    const struct {
        GamePhase phase;
        Feedback feedback;
        int32_t problemIndex;
        const char* states;
        const char* runs;
    } cases[] = {
        {GamePhase::Answering, Feedback::Ask, 9, "2222",
         "0 40 FFFFFF FFFFFF  |160 72 FFFFFF FFFFFF  |288 136 FFFFFF FFFFFF  |"
         "608 488 FFFFFF FFFFFF  |*0 104 FF0000 000000 「Q」は何処ですか？|"},
        {GamePhase::Answering, Feedback::Wrong, 9, "2422",
         "0 40 FFFFFF FFFFFF  |160 72 0000FF 000000 7|288 136 FFFFFF FFFFFF  |"
         "608 488 FFFFFF FFFFFF  |*100 104 0000FF 000000 不正解です|"},
        {GamePhase::Answering, Feedback::Correct, 9, "3411",
         "0 40 00FF00 000000 Q|160 72 0000FF 000000 7|288 136 FFFFFF 000000 B|"
         "608 488 FFFFFF 000000 Z|*100 104 00FF00 000000 正解です|"},
        // Symbols on show, and no message line (marked * where there is one).
        {GamePhase::Showing, Feedback::None, 9, "1111",
         "0 40 FFFFFF 000000 Q|160 72 FFFFFF 000000 7|288 136 FFFFFF 000000 B|"
         "608 488 FFFFFF 000000 Z|"},
        // The evaluation is open after the last problem: no cells, the message where it stood,
        // also when the index has passed the last of ten problems.
        {GamePhase::Idle, Feedback::Correct, 9, "3111", "*100 104 00FF00 000000 正解です|"},
        {GamePhase::Idle, Feedback::Correct, 10, "3111", "*100 104 00FF00 000000 正解です|"},
    };
    for (const auto& c : cases) {
        gameState.phase = c.phase;
        gameState.feedback = c.feedback;
        gameState.problemIndex = c.problemIndex;
        for (int i = 0; i < 4; ++i) {
            cells[i] = placed[i];
            cells[i].state = CellState(c.states[i] - '0');
        }
        const BoardPaint plan = planBoardPaint(gameState);
        std::string runs;
        for (int i = 0; i < plan.count; ++i) {
            runs += (plan.message && i == plan.count - 1 ? "*" : "") + describe(plan.runs[i]) + "|";
        }
        EXPECT_EQ(runs, c.runs);
    }
}
