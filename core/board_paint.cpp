#include "core/board_paint.h"

#include "core/game.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int32_t AskX = 0;
constexpr int32_t AnswerX = 100;

// The problem whose rows and target the message line uses. After the last problem of a game of
// ten, problemIndex is 10 while the correct-answer message is still drawn behind the evaluation;
// the last problem is taken then, so the message stays on the row where it stood.
const Problem& messageProblem(const GameState& state) {
    return state.problems.problems[std::clamp(state.problemIndex, int32_t{0}, ProblemCount - 1)];
}

bool onBoard(const Cell& cell) {
    return cell.column >= 0 && cell.column < BoardColumns && cell.row >= 0 && cell.row < BoardRows;
}

// Fills run's colours and character for cell; false for a cell that has nothing to show (one
// never generated, or one placed off the board).
bool planCell(const Cell& cell, TextRun& run) {
    if (!onBoard(cell)) {
        return false;
    }
    char character = static_cast<char>(cell.symbol);
    switch (cell.state) {
    case CellState::Visible:
        run.textColor = ColorWhite;
        run.backColor = ColorBlack;
        break;
    case CellState::Hidden:
        // A space on a white background is a white box the size of one character.
        run.textColor = ColorWhite;
        run.backColor = ColorWhite;
        character = ' ';
        break;
    case CellState::Found:
        run.textColor = ColorGreen;
        run.backColor = ColorBlack;
        break;
    case CellState::WrongPick:
        run.textColor = ColorRed;
        run.backColor = ColorBlack;
        break;
    default:
        return false;
    }
    run.x = cell.column * SquareSize;
    run.y = cell.row * SquareSize + BoardTop;
    run.text[0] = character;
    run.length = 1;
    return true;
}

static_assert(sizeof "「" + sizeof "」は何処ですか？" <= MessageBufferSize,
              "the question and its symbol fit the buffer, whatever the texts' encoding");

void append(TextRun& run, const char* bytes) {
    const size_t length = std::strlen(bytes);
    std::memcpy(run.text + run.length, bytes, length);
    run.length += static_cast<int32_t>(length);
}

// The texts are what wsprintfA makes of "「%C」は何処ですか？", "正解です" and "不正解です" in a
// zero-filled buffer; the run is zeroed by its caller.
bool planMessage(const GameState& state, TextRun& run) {
    switch (state.feedback) {
    case Feedback::Ask: {
        // %C turns the wide character into the ANSI code page; every symbol is ASCII and passes
        // unchanged. Only a cell never generated can hold anything else: it shows as '?', the
        // conversion's default character, rather than a NUL inside the text.
        const int32_t symbol = messageProblem(state).cells[0].symbol;
        const char character[2] = {symbol > 0 && symbol < 0x80 ? static_cast<char>(symbol) : '?',
                                   '\0'};
        append(run, "「");
        append(run, character);
        append(run, "」は何処ですか？");
        run.textColor = ColorBlue;
        run.x = AskX;
        break;
    }
    case Feedback::Correct:
        append(run, "正解です");
        run.textColor = ColorGreen;
        run.x = AnswerX;
        break;
    case Feedback::Wrong:
        append(run, "不正解です");
        run.textColor = ColorRed;
        run.x = AnswerX;
        break;
    default:
        return false;
    }
    run.backColor = ColorBlack;
    run.y = freeMessageRow(state) * SquareSize + BoardTop;
    return true;
}

} // namespace

int32_t freeMessageRow(const GameState& state) {
    const Problem& problem = messageProblem(state);
    bool used[BoardRows] = {};
    const int32_t count = limitedCells(state.symbolCount);
    for (int32_t i = 0; i < count; ++i) {
        const int32_t row = problem.cells[i].row;
        if (row >= 0 && row < BoardRows) {
            used[row] = true;
        }
    }
    for (int32_t row = 0; row < BoardRows; ++row) {
        if (!used[row]) {
            return row;
        }
    }
    // Ten cells cannot fill fifteen rows; kept so that the row is always on the board.
    return BoardRows - 1;
}

BoardPaint planBoardPaint(const GameState& state) {
    BoardPaint plan{};
    const Problem* problem = currentProblem(state);
    if (state.phase != GamePhase::Idle && problem != nullptr) {
        const int32_t count = limitedCells(state.symbolCount);
        for (int32_t i = 0; i < count; ++i) {
            if (planCell(problem->cells[i], plan.runs[plan.count])) {
                plan.count += 1;
            }
        }
    }
    if (planMessage(state, plan.runs[plan.count])) {
        plan.count += 1;
        plan.message = true;
    }
    return plan;
}
