#include "Noise.h"

#include "Random.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

namespace zorvic {
namespace {

using testing::FirstDifference;
using testing::RandomPicture;
using testing::Uniform;

// The seed after `draws` draws from `seed`.
std::uint32_t SeedAfter(std::uint32_t seed, int draws) {
    SetRandomSeed(seed);
    for (int i = 0; i < draws; ++i)
        RandomBelow(1);
    return RandomSeed();
}

TEST(NoiseAtZero, ChangesNothingButAdvancesTheGenerator) {
    const TBitmap original = RandomPicture(7, 5);
    struct Case {
        void (*effect)(TBitmap&, int);
        int drawsPerPixel;
    };
    for (const Case& c : {Case{MonoNoise, 1}, Case{ColorNoise, 3}, Case{Splash, 3}}) {
        TBitmap picture = original;
        SetRandomSeed(99);
        c.effect(picture, 0);
        EXPECT_EQ(FirstDifference(picture, original), "");
        EXPECT_EQ(RandomSeed(), SeedAfter(99, 35 * c.drawsPerPixel));
    }
}

TEST(MonoNoise, AddsOneOffsetPerPixelToAllChannels) {
    // From seed 0 RandomBelow(100) gives 0, 3, 86: offsets -50, -47, +36.
    TBitmap picture = Uniform(3, 1, MakeColor(128, 128, 128));
    SetRandomSeed(0);
    MonoNoise(picture, 100);
    EXPECT_EQ(picture.GetPixel(0, 0), MakeColor(78, 78, 78));
    EXPECT_EQ(picture.GetPixel(1, 0), MakeColor(81, 81, 81));
    EXPECT_EQ(picture.GetPixel(2, 0), MakeColor(164, 164, 164));
}

TEST(ColorNoise, DrawsBlueThenGreenThenRed) {
    TBitmap picture = Uniform(1, 1, MakeColor(128, 128, 128));
    SetRandomSeed(0);
    ColorNoise(picture, 100);
    EXPECT_EQ(picture.GetPixel(0, 0), MakeColor(128 + 36, 128 - 47, 128 - 50));
}

TEST(Splash, AmountOneAlwaysStays) {
    const TBitmap original = RandomPicture(13, 11);
    TBitmap picture = original;
    SetRandomSeed(5);
    Splash(picture, 1);
    EXPECT_EQ(FirstDifference(picture, original), "");
}

TEST(Splash, AmountTwoTakesTheRightLowerOrDiagonalNeighbourOrStays) {
    const TBitmap original = RandomPicture(17, 13, 3);
    TBitmap picture = original;
    SetRandomSeed(11);
    Splash(picture, 2);
    int moved = 0;
    for (int y = 0; y < 13; ++y) {
        for (int x = 0; x < 17; ++x) {
            // Those neighbours come later in the column-by-column pass, so still hold their own.
            const TColor now = picture.GetPixel(x, y);
            const bool allowed =
                now == original.GetPixel(x, y) || now == original.GetPixel(x + 1, y) ||
                now == original.GetPixel(x, y + 1) || now == original.GetPixel(x + 1, y + 1);
            EXPECT_TRUE(allowed) << "pixel (" << x << ", " << y << ")";
            moved += now != original.GetPixel(x, y);
        }
    }
    EXPECT_GT(moved, 0);
}

// The single-pixel definition: columns outermost, colours through GetPixel and SetPixel.
void SplashByPixels(TBitmap& bmp, int amount) {
    for (int x = 0; x < bmp.Width(); ++x) {
        for (int y = 0; y < bmp.Height(); ++y) {
            const int k = RandomBelow(amount);
            const int sx = x + k - RandomBelow(2 * k);
            const int sy = y + k - RandomBelow(2 * k);
            if (sx >= 0 && sx < bmp.Width() && sy >= 0 && sy < bmp.Height())
                bmp.SetPixel(x, y, bmp.GetPixel(sx, sy));
        }
    }
}

TEST(Splash, MatchesTheSinglePixelDefinition) {
    for (int amount : {3, 8, 32}) {
        TBitmap expected = RandomPicture(41, 27, amount);
        TBitmap picture = expected;
        SetRandomSeed(1234);
        SplashByPixels(expected, amount);
        SetRandomSeed(1234);
        Splash(picture, amount);
        EXPECT_EQ(FirstDifference(picture, expected), "") << "amount " << amount;
    }
}

} // namespace
} // namespace zorvic
