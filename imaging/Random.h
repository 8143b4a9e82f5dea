#pragma once
#include <cstdint>

namespace zorvic {

// The one program-wide generator shared by noise, splash, the spray gun and the two-colour
// effect. A 32-bit linear congruential sequence: each draw first advances the seed to
// seed * 134775813 + 1 (mod 2^32) and then scales the new seed into 0..n-1 by taking the high
// 32 bits of seed * n. The seed is 0 at program start, so unseeded runs repeat their patterns.
// Not thread-safe: every user runs on the one GUI (or command-line) thread.

// 0..n-1; 0 when n <= 0, the seed still advancing.
int RandomBelow(int n);
// Reseeds from the low 32 bits of a high-resolution clock.
void SeedRandom();
// For reproducible runs (the command line's --seed) and tests.
void SetRandomSeed(std::uint32_t seed);
std::uint32_t RandomSeed();

} // namespace zorvic
