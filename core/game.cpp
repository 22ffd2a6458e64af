#include "core/game.h"

#include "core/problems.h"

#include <algorithm>
#include <climits>

namespace {

constexpr int32_t CoveredMillis = 1000; // the pause between covering and asking
constexpr int32_t HoldMillis = 2000;    // how long an answer's message stays

// A hit when the click lies in the cell's 32-pixel square. Worked in 64 bits so that no
// coordinate or cell position can overflow.
bool hits(const Cell& cell, uint32_t x, uint32_t y) {
    const int64_t left = int64_t{cell.column} * SquareSize;
    const int64_t top = int64_t{cell.row} * SquareSize + BoardTop;
    return left <= x && x < left + SquareSize && top <= y && y < top + SquareSize;
}

// The current problem of the running game, for changing its cells.
Problem* playedProblem() {
    return currentProblem(gameState) == nullptr
               ? nullptr
               : &gameState.problems.problems[gameState.problemIndex];
}

void pickDistractor(Cell& cell) {
    // A second click on a red box is no new mistake.
    if (cell.state != CellState::WrongPick) {
        if (gameState.missCount < INT32_MAX) {
            gameState.missCount += 1;
        }
        gameState.feedback = Feedback::Wrong;
        gamePlatform->setTimer(FeedbackTimer, HoldMillis);
    }
    cell.state = CellState::WrongPick;
}

void pickTarget(Problem& problem) {
    const int32_t count = limitedCells(gameState.symbolCount);
    for (int32_t i = 0; i < count; ++i) {
        if (problem.cells[i].state == CellState::Hidden) {
            problem.cells[i].state = CellState::Visible;
        }
    }
    gameState.scoreBasis =
        ScoreBasis{count, gameState.showMillis / 1000, gameState.problemIndex + 1};
    problem.cells[0].state = CellState::Found;
    gameState.feedback = Feedback::Correct;
    gamePlatform->setTimer(FeedbackTimer, HoldMillis);
}

} // namespace

int32_t limitedCells(int32_t symbolCount) {
    return std::clamp(symbolCount, int32_t{1}, CellsPerProblem);
}

int32_t limitedProblems(int32_t tryCount) {
    return std::clamp(tryCount, int32_t{1}, ProblemCount);
}

int32_t limitedShowMillis(int32_t seconds) {
    // A period of 0 or less would make the timer fire as fast as it can; one second is the
    // shortest display time the grades offer, and the upper bound keeps the product in 32 bits.
    return std::clamp(seconds, int32_t{1}, INT32_MAX / 1000) * 1000;
}

const Problem* currentProblem(const GameState& state) {
    if (state.problemIndex < 0 || state.problemIndex >= ProblemCount) {
        return nullptr;
    }
    return &state.problems.problems[state.problemIndex];
}

void startGame() {
    generateProblemSet();
    gameState.phase = GamePhase::Showing;
    gameState.missCount = 0;
    gameState.problemIndex = 0;
    // A hold still pending from the previous game would otherwise end inside this one: skip
    // its first problem or put it into Answering with the symbols never covered. A question
    // being asked is no hold: it stays, and asks for the new target.
    if (gameState.feedback == Feedback::Correct || gameState.feedback == Feedback::Wrong) {
        gamePlatform->killTimer(FeedbackTimer);
        gameState.feedback = Feedback::None;
    }
    gamePlatform->repaintNow();
    gamePlatform->setTimer(PhaseTimer, gameState.showMillis);
}

void onPhaseTimer() {
    // Tested one after the other, each seeing the changes of the ones before; the order makes a
    // tick perform at most one transition.
    if (gameState.phase == GamePhase::Covered) {
        gameState.phase = GamePhase::Answering;
        gameState.feedback = Feedback::Ask;
    }
    if (gameState.phase == GamePhase::Showing) {
        setCellStates(CellState::Hidden);
        gameState.phase = GamePhase::Covered;
        gamePlatform->setTimer(PhaseTimer, CoveredMillis);
    }
    if (gameState.phase == GamePhase::Interval) {
        gameState.phase = GamePhase::Showing;
        gamePlatform->setTimer(PhaseTimer, gameState.showMillis);
    }
    if (gameState.phase == GamePhase::Idle) {
        gamePlatform->killTimer(PhaseTimer);
    }
    gamePlatform->repaintNow();
}

void onFeedbackTimer() {
    // Killed first, so the hold fires once and is not pending while the evaluation is open.
    gamePlatform->killTimer(FeedbackTimer);
    if (gameState.feedback == Feedback::Correct) {
        // problemIndex stops one past the last problem, so no number of holds can overflow it.
        gameState.problemIndex = std::min(gameState.problemIndex, ProblemCount - 1) + 1;
        if (gameState.problemIndex < limitedProblems(gameState.tryCount)) {
            gameState.phase = GamePhase::Interval;
        } else {
            gameState.phase = GamePhase::Idle;
            gamePlatform->openEvaluation(); // returns when the player closes it
        }
    }
    if (gameState.feedback == Feedback::Wrong) {
        gameState.phase = GamePhase::Answering;
    }
    gameState.feedback = Feedback::None;
}

void onClick(uint32_t x, uint32_t y) {
    if (gameState.phase != GamePhase::Answering) {
        return;
    }
    Problem* problem = playedProblem();
    if (problem == nullptr) {
        return;
    }
    const int32_t count = limitedCells(gameState.symbolCount);
    for (int32_t i = 0; i < count; ++i) {
        if (!hits(problem->cells[i], x, y)) {
            continue;
        }
        if (i == 0) {
            pickTarget(*problem);
        } else {
            pickDistractor(problem->cells[i]);
        }
    }
}

void setCellStates(CellState state) {
    Problem* problem = playedProblem();
    if (problem == nullptr) {
        return;
    }
    const int32_t count = limitedCells(gameState.symbolCount);
    for (int32_t i = 0; i < count; ++i) {
        problem->cells[i].state = state;
    }
}
