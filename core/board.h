// The board and the problems placed on it.
#pragma once

#include <cstdint>

constexpr int32_t BoardColumns = 20;
constexpr int32_t BoardRows = 15;
constexpr int32_t SquareSize = 32;
constexpr int32_t BoardTop = 40; // the toolbar sits above the grid

constexpr int32_t ProblemCount = 10;    // problems generated per game
constexpr int32_t CellsPerProblem = 10; // cells generated per problem

enum class CellState : int32_t { Empty = 0, Visible = 1, Hidden = 2, Found = 3, WrongPick = 4 };

// A square of the board.
struct BoardPlace {
    int32_t column;
    int32_t row;
};

struct Cell {
    int32_t column;
    int32_t row;
    int32_t symbol; // character code: '1'..'9' or 'A'..'Z'
    CellState state;
};

// Cell 0 is the target; the others are distractors.
struct Problem {
    Cell cells[CellsPerProblem];
};

struct ProblemSet {
    Problem problems[ProblemCount];
};
