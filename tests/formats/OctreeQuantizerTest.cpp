#include "OctreeQuantizer.h"

#include "FloydSteinberg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

namespace zorvic {
namespace {

TEST(OctreeQuantizer, PictureOfAtMostTheLimitKeepsEveryColourExactly) {
    // 256 colours, each next to another one step away: nothing may be merged or rounded.
    TBitmap bitmap(32, 16, TPixelFormat::pf32bit);
    std::set<TColor> colours;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) {
            const int k = (y * 32 + x) % 256;
            const TColor colour = MakeColor(k / 2 * 2 + k % 2, 200 - k % 2, k * 37);
            bitmap.SetPixel(x, y, colour);
            colours.insert(colour);
        }
    ASSERT_EQ(colours.size(), 256u);

    const std::vector<TColor> palette = BuildOctreePalette(bitmap);
    EXPECT_EQ(std::set<TColor>(palette.begin(), palette.end()), colours);
    EXPECT_EQ(palette.size(), 256u);

    TFloydSteinberg ditherer(bitmap, palette);
    std::uint8_t indices[32];
    for (int y = 0; y < 16; ++y) {
        ditherer.MapNextRow(indices);
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(palette[indices[x]], bitmap.GetPixel(x, y)) << x << "," << y;
    }
}

TEST(OctreeQuantizer, PaletteOfAManyColourPictureComesFromItsOwnColours) {
    // Thousands of colours in two tight clusters, dark reds and light blues: an optimised palette
    // stays inside the clusters, where a fixed palette would not.
    TBitmap bitmap(128, 64);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> spread(0, 15);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 128; ++x)
            bitmap.SetPixel(
                x, y,
                x < 64 ? MakeColor(100 + spread(random), spread(random), spread(random))
                       : MakeColor(spread(random), 180 + spread(random), 240 + spread(random)));
    for (int limit : {256, 16, 2, 1}) {
        SCOPED_TRACE(limit);
        const std::vector<TColor> palette = BuildOctreePalette(bitmap, limit);
        EXPECT_LE(palette.size(), static_cast<std::size_t>(limit));
        EXPECT_GE(palette.size(), limit == 1 ? 1u : 2u);
        if (limit == 1) continue; // a single colour is the mean of both clusters
        for (TColor colour : palette) {
            const bool red = RedOf(colour) >= 100 && RedOf(colour) <= 115 &&
                             GreenOf(colour) <= 15 && BlueOf(colour) <= 15;
            const bool blue = RedOf(colour) <= 15 && GreenOf(colour) >= 180 &&
                              GreenOf(colour) <= 195 && BlueOf(colour) >= 240;
            EXPECT_TRUE(red || blue) << std::hex << colour;
        }
    }
}

TEST(OctreeQuantizer, MergedColoursGiveTheirMeanWeightedByPixelCount) {
    // One colour covers nine tenths of the picture; merged with the rare colours around it, it
    // still decides its leaf's colour.
    TBitmap bitmap(100, 100);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            bitmap.SetPixel(x, y, MakeColor(30, 60, 90));
    for (int i = 0; i < 1000; ++i)
        bitmap.SetPixel(i % 100, i / 100, MakeColor(i % 256, (i * 7) % 256, (i * 13) % 256));
    const std::vector<TColor> palette = BuildOctreePalette(bitmap, 8);
    ASSERT_LE(palette.size(), 8u);
    const TColor nearest = palette[NearestPaletteIndex(palette, MakeColor(30, 60, 90))];
    EXPECT_NEAR(RedOf(nearest), 30, 3);
    EXPECT_NEAR(GreenOf(nearest), 60, 3);
    EXPECT_NEAR(BlueOf(nearest), 90, 3);
}

} // namespace
} // namespace zorvic
