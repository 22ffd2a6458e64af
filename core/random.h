// The game's own random source, so that a seed gives the same problems on every platform.
#pragma once

#include <cstdint>

void seedRandom(uint32_t seed);
// 0 to 32767.
int32_t nextRandom();
