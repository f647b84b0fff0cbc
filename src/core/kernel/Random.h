#pragma once

#include <array>
#include <cstdint>

// The process's one random source: Marsaglia's multiply-with-carry generator of order four
// (the "Mother-of-All" generator), its state filled from a seed by a 32-bit xorshift.
// Only the user-interface thread draws from it.

// x0 (newest output word), x1, x2, x3 (oldest), carry.
using RandomState = std::array<std::uint32_t, 5>;

void SeedRandom(std::uint32_t seed);
// A multiple of 2^-32 from 0 up to, not including, 1.
double NextRandom();
// From low to high, both included, with exactly one step of the generator. With low > high
// the range is taken the other way round.
std::int32_t RandomInRange(std::int32_t low, std::int32_t high);

RandomState randomState();
// The seed of the last SeedRandom, as the status bar shows it.
std::uint32_t lastRandomSeed();
