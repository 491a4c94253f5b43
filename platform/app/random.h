#pragma once
// The programs' one random generator: uniform, seedable, seeded from the clock at start-up.

#include <cstdint>

namespace platform::app {

// Uniform in 0..n-1; 0 when n <= 0.
int random(int n);

// Uniform in [0, 1).
double randomUnit();

// Seeds the generator from the clock.
void randomize();

// Seeds the generator with a fixed value: the same seed gives the same sequence.
void setRandomSeed(std::uint32_t seed);

} // namespace platform::app
