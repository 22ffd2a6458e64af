// The game's own random source, so that a seed gives the same problems on every platform.
#pragma once

#include <cstdint>

// The generator's whole state: the last number it made, or the seed.
extern uint32_t randomState;

void seedRandom(uint32_t seed);
// 0 to 32767.
int32_t nextRandom();
