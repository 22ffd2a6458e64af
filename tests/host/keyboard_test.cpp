// The board by keyboard: which box each arrow chooses, Enter or Space answering there as a click,
// and the frame that shows the box only once a key has been used.
#include "core/game.h"
#include "core/keyboard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Puts the cells (column, row), target first, into the current problem, the game asking.
void place(const std::vector<BoardPlace>& cells) {
    resetGameState();
    gameState.phase = GamePhase::Answering;
    gameState.symbolCount = static_cast<int32_t>(cells.size());
    for (size_t i = 0; i < cells.size(); ++i) {
        gameState.problems.problems[0].cells[i] = {
            cells[i].column, cells[i].row, 'A' + static_cast<int32_t>(i), CellState::Hidden};
    }
}

std::string where(BoardPlace p) {
    return std::to_string(p.column) + "," + std::to_string(p.row);
}

} // namespace

TEST(Keyboard, EachArrowGoesToTheNearestBoxThatWay) {
    // Layout, the box's place, the key, where the box goes.
    const struct {
        std::vector<BoardPlace> cells;
        BoardPlace from;
        int dx, dy;
        const char* to;
    } cases[] = {
        // Straight along the row, the nearer of two; back the other way.
        {{{2, 5}, {6, 5}, {10, 5}}, {2, 5}, 1, 0, "6,5"},
        {{{2, 5}, {6, 5}, {10, 5}}, {10, 5}, -1, 0, "6,5"},
        // A step across weighs twice a step along: (9, 6) at 2 + 2 beats (12, 5) at 5.
        {{{7, 5}, {12, 5}, {9, 6}}, {7, 5}, 1, 0, "9,6"},
        // (11, 5) at 4 beats (8, 7) at 1 + 4.
        {{{7, 5}, {11, 5}, {8, 7}}, {7, 5}, 1, 0, "11,5"},
        // Up and down are rows: up is toward row 0.
        {{{4, 8}, {4, 2}, {4, 12}}, {4, 8}, 0, -1, "4,2"},
        {{{4, 8}, {4, 2}, {4, 12}}, {4, 8}, 0, 1, "4,12"},
        // Equal distances: the first in reading order, the upper one.
        {{{5, 7}, {7, 5}, {7, 9}}, {5, 7}, 1, 0, "7,5"},
        // Nothing that way: at the edge of the board, or only boxes level or behind.
        {{{19, 14}, {0, 0}}, {19, 14}, 1, 0, "19,14"},
        {{{19, 14}, {0, 0}}, {19, 14}, 0, 1, "19,14"},
        {{{3, 0}, {9, 0}}, {9, 0}, 0, -1, "9,0"},
        {{{3, 3}, {3, 9}}, {3, 3}, 1, 0, "3,3"},
    };
    for (const auto& c : cases) {
        place(c.cells);
        EXPECT_EQ(where(nearestInDirection(pickableCells(gameState), c.from, c.dx, c.dy)), c.to)
            << "from " << where(c.from) << " by " << c.dx << "," << c.dy;
    }
}

TEST(Keyboard, TheBoxShowsAtTheFirstKeyAndAnswersLikeAClick) {
    place({{12, 3}, {4, 9}, {2, 1}});
    BoardPlace at{};
    EXPECT_FALSE(planKeyboardFrame(gameState, keyboardBox).shown) << "drawn before any key";
    onArrowKey(1, 0); // shows the box on the first in reading order, the top left
    ASSERT_TRUE(keyboardBoxPlace(gameState, keyboardBox, at));
    EXPECT_EQ(where(at), "2,1");
    onArrowKey(0, 1);
    onArrowKey(0, 1); // nothing below (4, 9)
    ASSERT_TRUE(keyboardBoxPlace(gameState, keyboardBox, at));
    EXPECT_EQ(where(at), "4,9");

    // Enter on a distractor is a click at its centre: a miss.
    onAnswerKey();
    EXPECT_EQ(gameState.feedback, Feedback::Wrong);
    EXPECT_EQ(gameState.missCount, 1);
    EXPECT_EQ(gameState.problems.problems[0].cells[1].state, CellState::WrongPick);
    onArrowKey(1, 0); // to (12, 3), up and right of (4, 9)
    onAnswerKey();
    EXPECT_EQ(gameState.feedback, Feedback::Correct);
    EXPECT_EQ(gameState.problems.problems[0].cells[0].state, CellState::Found);

    // The frame stands outside the square of (12, 3): x 384..415, y 136..167.
    const KeyboardFrame frame = planKeyboardFrame(gameState, keyboardBox);
    ASSERT_TRUE(frame.shown);
    EXPECT_EQ(std::to_string(frame.left) + " " + std::to_string(frame.top) + " " +
                  std::to_string(frame.right) + " " + std::to_string(frame.bottom) + " " +
                  std::to_string(frame.thickness),
              "379 131 422 173 3");

    // A click hides it; only a key shows it again, where it was.
    onPointerPressed();
    EXPECT_FALSE(planKeyboardFrame(gameState, keyboardBox).shown);
    showKeyboardBox();
    ASSERT_TRUE(keyboardBoxPlace(gameState, keyboardBox, at));
    EXPECT_EQ(where(at), "12,3");
}

TEST(Keyboard, NothingToPickOutsideAnswering) {
    for (GamePhase phase :
         {GamePhase::Idle, GamePhase::Showing, GamePhase::Covered, GamePhase::Interval}) {
        place({{12, 3}, {4, 9}});
        gameState.phase = phase;
        onAnswerKey();
        onAnswerKey();
        EXPECT_EQ(pickableCells(gameState).count, 0) << int(phase);
        EXPECT_FALSE(planKeyboardFrame(gameState, keyboardBox).shown) << int(phase);
        EXPECT_EQ(gameState.feedback, Feedback::None) << "answered in phase " << int(phase);
    }
    // The next problem's first box once the game asks again, wherever the box stood before.
    place({{12, 3}, {4, 9}});
    keyboardBox = {true, {6, 6}};
    BoardPlace at{};
    ASSERT_TRUE(keyboardBoxPlace(gameState, keyboardBox, at));
    EXPECT_EQ(where(at), "12,3");
}
