#include "core/random.h"

uint32_t randomState = 0;

void seedRandom(uint32_t seed) {
    randomState = seed;
}

int32_t nextRandom() {
    // Unsigned arithmetic wraps modulo 2^32, which is the generator's own rule.
    randomState = randomState * 22695477u + 1u;
    return static_cast<int32_t>((randomState >> 16) & 0x7FFFu);
}
