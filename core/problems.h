// The ten problems of a game, generated in one pass at each start.
#pragma once

#include "core/board.h"

#include <cstdint>

// Fills all ten problems of ten cells from seed; the same seed gives the same set.
void generateProblemSet(ProblemSet& set, uint32_t seed);
// Fills gameState.problems, seeded with the clock in whole seconds.
void generateProblemSet();
