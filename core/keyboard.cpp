#include "core/keyboard.h"

#include "core/game.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Two pixels outside the square, and one more on the right, where a character's opaque
// background reaches a pixel further; three pixels wide.
constexpr int32_t FrameGap = 2;
constexpr int32_t FrameThickness = 3;
constexpr uint32_t FrameColor = 0x00CCFF; // amber, apart from every colour the board uses

bool samePlace(BoardPlace a, BoardPlace b) {
    return a.column == b.column && a.row == b.row;
}

} // namespace

PickableCells pickableCells(const GameState& state) {
    PickableCells cells{};
    const Problem* problem = currentProblem(state);
    if (state.phase != GamePhase::Answering || problem == nullptr) {
        return cells;
    }
    const int32_t count = limitedCells(state.symbolCount);
    for (int32_t i = 0; i < count; ++i) {
        cells.places[cells.count++] = {problem->cells[i].column, problem->cells[i].row};
    }
    std::sort(cells.places, cells.places + cells.count, [](BoardPlace a, BoardPlace b) {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    });
    return cells;
}

BoardPlace nearestInDirection(const PickableCells& cells, BoardPlace from, int32_t dx, int32_t dy) {
    BoardPlace best = from;
    int64_t bestDistance = INT64_MAX;
    for (int32_t i = 0; i < cells.count; ++i) {
        const int64_t columns = int64_t{cells.places[i].column} - from.column;
        const int64_t rows = int64_t{cells.places[i].row} - from.row;
        const int64_t along = columns * dx + rows * dy;
        const int64_t across = std::llabs(columns * dy) + std::llabs(rows * dx);
        if (along > 0 && along + 2 * across < bestDistance) {
            best = cells.places[i];
            bestDistance = along + 2 * across;
        }
    }
    return best;
}

bool keyboardBoxPlace(const GameState& state, const KeyboardBox& box, BoardPlace& place) {
    const PickableCells cells = pickableCells(state);
    if (!box.shown || cells.count == 0) {
        return false;
    }
    const bool stillThere = std::any_of(cells.places, cells.places + cells.count,
                                        [&](BoardPlace p) { return samePlace(p, box.place); });
    place = stillThere ? box.place : cells.places[0];
    return true;
}

void onArrowKey(int32_t dx, int32_t dy) {
    BoardPlace place{};
    const bool wasShown = keyboardBoxPlace(gameState, keyboardBox, place);
    keyboardBox.shown = true;
    if (!wasShown) {
        keyboardBoxPlace(gameState, keyboardBox, keyboardBox.place);
        return;
    }
    keyboardBox.place = nearestInDirection(pickableCells(gameState), place, dx, dy);
}

void onAnswerKey() {
    BoardPlace place{};
    const bool wasShown = keyboardBoxPlace(gameState, keyboardBox, place);
    keyboardBox.shown = true;
    if (!wasShown) {
        keyboardBoxPlace(gameState, keyboardBox, keyboardBox.place);
        return;
    }
    keyboardBox.place = place;
    const int32_t half = SquareSize / 2;
    onClick(static_cast<uint32_t>(place.column * SquareSize + half),
            static_cast<uint32_t>(place.row * SquareSize + BoardTop + half));
}

void showKeyboardBox() {
    keyboardBox.shown = true;
}

void onPointerPressed() {
    keyboardBox.shown = false;
}

KeyboardFrame planKeyboardFrame(const GameState& state, const KeyboardBox& box) {
    KeyboardFrame frame{};
    BoardPlace place{};
    if (!keyboardBoxPlace(state, box, place)) {
        return frame;
    }
    const int32_t left = place.column * SquareSize;
    const int32_t top = place.row * SquareSize + BoardTop;
    frame.shown = true;
    frame.left = left - FrameGap - FrameThickness;
    frame.top = top - FrameGap - FrameThickness;
    frame.right = left + SquareSize + 1 + FrameGap + FrameThickness;
    frame.bottom = top + SquareSize + FrameGap + FrameThickness;
    frame.thickness = FrameThickness;
    frame.color = FrameColor;
    return frame;
}
