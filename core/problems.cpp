#include "core/problems.h"

#include "core/game_state.h"
#include "core/random.h"

namespace {

constexpr int32_t SymbolCodes = 35; // 1..9, then A..Z; no 0, so it cannot be mistaken for O

int32_t characterOfCode(int32_t code) {
    return code <= 9 ? code + 48 : code + 55;
}

// Neighbours, even at a corner, are refused so that one click never lands on two cells.
bool touchesEarlierCell(const Problem& problem, int32_t count, int32_t column, int32_t row) {
    for (int32_t k = 0; k < count; ++k) {
        const Cell& earlier = problem.cells[k];
        if (earlier.column - 2 < column && column < earlier.column + 2 && earlier.row - 2 < row &&
            row < earlier.row + 2) {
            return true;
        }
    }
    return false;
}

// A repeated symbol would give the question two answers.
bool usedByEarlierCell(const Problem& problem, int32_t count, int32_t code) {
    for (int32_t k = 0; k < count; ++k) {
        if (problem.cells[k].symbol == characterOfCode(code)) {
            return true;
        }
    }
    return false;
}

} // namespace

void generateProblemSet(ProblemSet& set, uint32_t seed) {
    set = ProblemSet{};
    seedRandom(seed);
    // All ten problems of ten cells, whatever the grade, so that play parameters changed during a
    // game always find generated cells. The retries end: nine cells exclude at most 81 of 300
    // squares and 9 of 35 symbols.
    for (Problem& problem : set.problems) {
        for (int32_t j = 0; j < CellsPerProblem; ++j) {
            Cell& cell = problem.cells[j];
            int32_t column;
            int32_t row;
            do {
                column = nextRandom() % BoardColumns;
                row = nextRandom() % BoardRows;
            } while (touchesEarlierCell(problem, j, column, row));
            cell.column = column;
            cell.row = row;

            int32_t code;
            do {
                code = nextRandom() % SymbolCodes + 1;
            } while (usedByEarlierCell(problem, j, code));
            cell.symbol = characterOfCode(code);
            cell.state = CellState::Visible;
        }
    }
}

void generateProblemSet() {
    // Whole seconds, so two starts within one second give the same set; the generator's state
    // is 32 bits, so only the low 32 bits of the time count.
    const uint32_t seed = static_cast<uint32_t>(gamePlatform->calendarSeconds());
    generateProblemSet(gameState.problems, seed);
}
