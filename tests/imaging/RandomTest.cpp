#include "Random.h"

#include <gtest/gtest.h>

namespace zorvic {
namespace {

TEST(RandomBelow, FromSeedZeroGivesTheKnownSequence) {
    // Seed 0 advances to 1 first: 1 * 100 >> 32 = 0; then to 134775814: 13477581400 >> 32 = 3.
    SetRandomSeed(0);
    const int expected[] = {0, 3, 86, 20, 27, 67};
    for (int value : expected)
        EXPECT_EQ(RandomBelow(100), value);
}

TEST(RandomBelow, ScalesTheAdvancedSeedNotThePreviousOne) {
    SetRandomSeed(1);
    // The seed becomes 134775814 before the product: 134775814 * 2^30 >> 32.
    EXPECT_EQ(RandomBelow(1 << 30), 134775814 / 4);
    EXPECT_EQ(RandomSeed(), 134775814u);
}

TEST(RandomBelow, ZeroGivesZeroButStillAdvances) {
    SetRandomSeed(0);
    EXPECT_EQ(RandomBelow(0), 0);
    EXPECT_EQ(RandomBelow(100), 3);
}

TEST(RandomBelow, StaysBelowItsBound) {
    SetRandomSeed(12345);
    for (int n : {1, 2, 7, 100, 511}) {
        for (int i = 0; i < 2000; ++i) {
            const int value = RandomBelow(n);
            ASSERT_GE(value, 0);
            ASSERT_LT(value, n);
        }
    }
}

} // namespace
} // namespace zorvic
