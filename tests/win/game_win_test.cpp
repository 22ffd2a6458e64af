#include "main_window_fixture.h"

#include "core/game_state.h"
#include "resources/resource.h"
#include "settings/grades.h"
#include "settings/settings_file.h"
#include "settings/settings_state.h"
#include "shell/main_window_win.h"
#include "shell/shell_state_win.h"

#include <gtest/gtest.h>

namespace {

class GameWindowTest : public MainWindowFixture {
  protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        scratch.write("setdata.ini", defaultSettingsFile(0)); // 3 symbols, 3 seconds, 3 problems
        window = createWindow();
        ASSERT_NE(window, nullptr);
    }
    void tick(int timer) { EXPECT_EQ(SendMessageA(window, WM_TIMER, timer, 0), 0); }
    void clickCell(int index) {
        const Cell& cell = gameState.problems.problems[gameState.problemIndex].cells[index];
        const int x = cell.column * SquareSize + SquareSize / 2;
        const int y = cell.row * SquareSize + BoardTop + SquareSize / 2;
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    }
    // Whether the timer was running; it is stopped either way.
    bool timerWasRunning(int timer) { return KillTimer(window, timer) != FALSE; }
    CellState state(int index) const {
        return gameState.problems.problems[gameState.problemIndex].cells[index].state;
    }

    HWND window = nullptr;
};

TEST_F(GameWindowTest, WholeGameThroughTheWindowProcedure) {
    ModalCatcher evaluation(ModalCatcher::close);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(CMD_START, 0), 0);
    ASSERT_EQ(gameState.phase, GamePhase::Showing);

    for (int problem = 0; problem < 3; ++problem) {
        SCOPED_TRACE("problem " + std::to_string(problem));
        if (problem > 0) {
            ASSERT_EQ(gameState.phase, GamePhase::Interval);
            tick(PhaseTimer);
            ASSERT_EQ(gameState.phase, GamePhase::Showing);
        }
        EXPECT_EQ(gameState.problemIndex, problem);
        tick(PhaseTimer);
        ASSERT_EQ(gameState.phase, GamePhase::Covered);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(state(i), CellState::Hidden) << "cell " << i;
        }
        tick(PhaseTimer);
        ASSERT_EQ(gameState.phase, GamePhase::Answering);
        EXPECT_EQ(gameState.feedback, Feedback::Ask);

        clickCell(problem % 2 + 1);
        EXPECT_EQ(state(problem % 2 + 1), CellState::WrongPick);
        EXPECT_EQ(gameState.feedback, Feedback::Wrong);
        EXPECT_EQ(gameState.missCount, problem + 1);
        tick(FeedbackTimer);
        EXPECT_EQ(gameState.phase, GamePhase::Answering);
        EXPECT_EQ(gameState.feedback, Feedback::None);
        EXPECT_FALSE(timerWasRunning(FeedbackTimer)) << "the hold fires once";

        clickCell(0);
        EXPECT_EQ(state(0), CellState::Found);
        EXPECT_EQ(gameState.feedback, Feedback::Correct);
        EXPECT_TRUE(evaluation.caught().empty());
        tick(FeedbackTimer);
    }

    ASSERT_EQ(evaluation.caught().size(), 1u) << "the evaluation opens after the last hold";
    EXPECT_EQ(evaluation.caught()[0].caption, "あなたの脳レベルの評価");
    EXPECT_EQ(gameState.phase, GamePhase::Idle);
    EXPECT_EQ(gameState.feedback, Feedback::None);
    EXPECT_EQ(gameState.missCount, 3);
    EXPECT_EQ(gameState.scoreBasis.symbols, 3);
    EXPECT_EQ(gameState.scoreBasis.seconds, 3);
    EXPECT_EQ(gameState.scoreBasis.solved, 3);

    // The first phase tick in Idle stops the phase timer.
    tick(PhaseTimer);
    EXPECT_FALSE(timerWasRunning(PhaseTimer));
}

TEST_F(GameWindowTest, TimersRunOnTheWindow) {
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(CMD_START2, 1), 0);
    EXPECT_TRUE(timerWasRunning(PhaseTimer)) << "start sets the phase timer";
    tick(PhaseTimer);
    tick(PhaseTimer);
    clickCell(0);
    EXPECT_TRUE(timerWasRunning(FeedbackTimer)) << "an answer starts the hold";
    EXPECT_TRUE(timerWasRunning(PhaseTimer)) << "the covered pause set it again";

    // Destroying the window stops the phase timer before saving.
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(CMD_START, 0), 0);
    DestroyWindow(window);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(readSettingsValues(scratch.read("setdata.ini"))[40], 0);
}

TEST_F(GameWindowTest, ClicksOutsideAnsweringOnlyRepaint) {
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(CMD_START, 0), 0);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    PaintCounter paints(window);
    clickCell(0);
    EXPECT_EQ(state(0), CellState::Visible) << "no answer while the symbols show";
    EXPECT_EQ(paints.count(), 1);
    EXPECT_EQ(gameState.missCount, 0);
}

} // namespace
