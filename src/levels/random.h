// The game's pseudo-random numbers: uniform integers 0..32767, seeded once by Level 1
// from the calendar seconds.
#pragma once

#include <cstdint>

void SeedRandom(std::uint32_t seed);
// The next value, 0..32767.
int NextRandom();
// A value in [0, 1): the next random value times the single-precision number nearest to
// 1/32767, which lies just below it, so the result never reaches 1.
double RandomUnit();
