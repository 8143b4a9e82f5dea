#include "Random.h"

#include <chrono>

namespace zorvic {

namespace {
std::uint32_t seed = 0;
}

int RandomBelow(int n) {
    seed = seed * 134775813u + 1u;
    if (n <= 0) return 0;
    return static_cast<int>((static_cast<std::uint64_t>(seed) * static_cast<std::uint32_t>(n)) >>
                            32);
}

void SeedRandom() {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    seed = static_cast<std::uint32_t>(ticks);
}

void SetRandomSeed(std::uint32_t value) {
    seed = value;
}

std::uint32_t RandomSeed() {
    return seed;
}

} // namespace zorvic
