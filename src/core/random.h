#pragma once

#include <cstdint>

// The game's pseudo-random generator: a 32-bit linear congruential generator
// drawing values 0 to 32767. Seeded once, when the game is built.
struct Random {
    std::uint32_t state = 1;
};

void seed(Random& random, std::uint32_t value);
int draw(Random& random);
