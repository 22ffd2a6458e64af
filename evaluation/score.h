// The end-of-game score: its total, the five lines that itemise it, and the brain picture it earns.
// No platform calls, so all of it runs without a window.
#pragma once

#include "core/game_state.h"

#include <array>
#include <cstdint>

constexpr int EvaluationLineCount = 5;
// Holds every line for any 32-bit values, with its zero, in either encoding of the texts: the
// longest takes 64 bytes in Shift-JIS (the Windows program) and 77 in UTF-8 (the web page).
constexpr int EvaluationLineBytes = 80;

using EvaluationLine = std::array<char, EvaluationLineBytes>; // zero-terminated
using EvaluationLines = std::array<EvaluationLine, EvaluationLineCount>;

// Where each line's top left corner stands in the dialog's client area, in pixels.
constexpr int EvaluationLineLeft = 10;
constexpr std::array<int, EvaluationLineCount> EvaluationLineTops = {300, 318, 336, 354, 376};

// Where the pictures go in the dialog's client area, in pixels: the background at the top left
// corner, the brain composed over it.
constexpr int EvaluationBackgroundSize = 300;
constexpr int EvaluationBrainLeft = 70;
constexpr int EvaluationBrainTop = 65;
constexpr int EvaluationBrainWidth = 160;
constexpr int EvaluationBrainHeight = 130;

// 4 x symbols + 3 x (10 - seconds) + 4 x solved - 5 x misses + 1, in wrapping 32-bit arithmetic.
int32_t evaluationTotal(const ScoreBasis& basis, int32_t missCount);

// The five lines in display order, each formatted as wsprintfA's %d would.
EvaluationLines evaluationLines(const ScoreBasis& basis, int32_t missCount);

// The bitmap id of the brain picture for a total: IDB_RANK1 below 20 up to IDB_RANK6 from 100.
int rankPicture(int32_t total);
