#include "Filters.h"

#include "TestPictures.h"

#include <gtest/gtest.h>

#include <random>

namespace zorvic {
namespace {

using testing::FirstDifference;
using testing::FromColors;
using testing::Grey;
using testing::RandomPicture;
using testing::Uniform;

TEST(Mosaic, BlocksTakeTheirTopLeftPixelAndClipAtTheEdges) {
    const TBitmap original = RandomPicture(100, 70);
    TBitmap picture = original;
    Mosaic(picture, 64);
    for (int y = 0; y < 70; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(picture.GetPixel(x, y), original.GetPixel(x < 64 ? 0 : 64, y < 64 ? 0 : 64))
                << "pixel (" << x << ", " << y << ")";
}

TEST(Mosaic, SizeZeroAndOneChangeNothing) {
    const TBitmap original = RandomPicture(9, 7);
    for (int size : {0, 1}) {
        TBitmap picture = original;
        Mosaic(picture, size);
        EXPECT_EQ(FirstDifference(picture, original), "");
    }
}

TEST(Sharpen, CarriesTheSharpenedRowDownwardsAndLeavesRowZero) {
    // Column 0 compares with the pixel above, column 1 with the upper-left one.
    TBitmap picture =
        FromColors(2, 3, {Grey(100), Grey(100), Grey(120), Grey(110), Grey(130), Grey(140)});
    Sharpen(picture, 100);
    EXPECT_EQ(testing::Colors(picture),
              (std::vector<TColor>{Grey(100), Grey(100),    // unchanged
                                   Grey(140), Grey(120),    // 120 + 20, 110 + 10
                                   Grey(120), Grey(140)})); // against the sharpened 140
}

TEST(Sharpen, TruncatesTowardZeroAndClamps) {
    TBitmap picture = FromColors(1, 2, {MakeColor(100, 10, 0), MakeColor(97, 250, 255)});
    Sharpen(picture, 50);
    // -3 * 50 / 100 = -1; 250 + 120 clamps; 255 + 127 clamps.
    EXPECT_EQ(picture.GetPixel(0, 1), MakeColor(96, 255, 255));
}

TEST(Sharpen, AmountZeroChangesNothing) {
    const TBitmap original = RandomPicture(11, 9);
    TBitmap picture = original;
    Sharpen(picture, 0);
    EXPECT_EQ(FirstDifference(picture, original), "");
}

TEST(Neon, AmountZeroOrAUniformPictureBlackensTheInteriorOnly) {
    struct Case {
        TBitmap picture;
        int amount;
    };
    for (Case c : {Case{RandomPicture(6, 5), 0}, Case{Uniform(6, 5, MakeColor(10, 200, 90)), 17}}) {
        const TBitmap original = c.picture;
        Neon(c.picture, c.amount);
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 6; ++x) {
                const bool border = x == 0 || y == 0 || x == 5 || y == 4;
                ASSERT_EQ(c.picture.GetPixel(x, y), border ? original.GetPixel(x, y) : clBlack);
            }
        }
    }
}

TEST(Neon, TakesTheStrongerOfTheTwoGradients) {
    const TColor o = Grey(0), l = Grey(10);
    // Light bottom row: the vertical gradient 2 * 30 wins; a negative amount turns it to 0.
    TBitmap below = FromColors(3, 3, {o, o, o, o, o, o, l, l, l});
    TBitmap belowNegative = below;
    Neon(below, 2);
    EXPECT_EQ(below.GetPixel(1, 1), Grey(60));
    Neon(belowNegative, -2);
    EXPECT_EQ(belowNegative.GetPixel(1, 1), Grey(0));
    // Light left column: the horizontal gradient.
    TBitmap left = FromColors(3, 3, {l, o, o, l, o, o, l, o, o});
    Neon(left, 2);
    EXPECT_EQ(left.GetPixel(1, 1), Grey(60));
}

TEST(Neon, SmallPicturesOnlyBecome24Bit) {
    TBitmap picture(2, 7, TPixelFormat::pf32bit);
    picture.SetPixel(1, 3, clRed);
    Neon(picture, 5);
    EXPECT_EQ(picture.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(picture.GetPixel(1, 3), clRed);
}

void Blur(TBitmap& bmp) {
    Convolve3x3(kBlurKernel, kBlurDivisor, bmp);
}

TEST(Blur, LeavesUniformAndSinglePixelPicturesUnchanged) {
    for (TBitmap original : {Uniform(8, 5, MakeColor(3, 77, 250)), RandomPicture(1, 1)}) {
        TBitmap picture = original;
        Blur(picture);
        EXPECT_EQ(FirstDifference(picture, original), "");
    }
}

TEST(Blur, WrapsTheTopRowOntoTheBottomRow) {
    TBitmap picture = Uniform(4, 4, clBlack);
    for (int x = 0; x < 4; ++x)
        picture.SetPixel(x, 0, clWhite);
    Blur(picture);
    // Three white neighbours of weight 2: 1530 / 16 = 95; two: 63. Corner neighbours are the
    // picture's own corner pixels, white at the top and black at the bottom.
    const std::vector<int> expected = {95, 63, 63, 95, //
                                       95, 95, 95, 95, //
                                       0,  0,  0,  0,  //
                                       63, 95, 95, 63};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(picture.GetPixel(x, y), Grey(expected[4 * y + x]))
                << "pixel (" << x << ", " << y << ")";
}

// The definition: a padded copy with wrapped edges and corner pixels, every sum read from it.
TBitmap ConvolveByDefinition(const std::array<int, 9>& k, int divisor, const TBitmap& bmp) {
    const int w = bmp.Width(), h = bmp.Height();
    auto padded = [&](int px, int py) {
        int x = px - 1, y = py - 1;
        const bool outsideX = x < 0 || x >= w, outsideY = y < 0 || y >= h;
        if (outsideX && outsideY) return bmp.GetPixel(x < 0 ? 0 : w - 1, y < 0 ? 0 : h - 1);
        if (outsideX) x = x < 0 ? w - 1 : 0;
        if (outsideY) y = y < 0 ? h - 1 : 0;
        return bmp.GetPixel(x, y);
    };
    TBitmap out(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int channel[3];
            for (int c = 0; c < 3; ++c) {
                int s = 0;
                for (int i = 0; i < 3; ++i)
                    for (int j = 0; j < 3; ++j)
                        s += k[3 * i + j] *
                             static_cast<int>((padded(x + j, y + i) >> (8 * c)) & 0xFF);
                channel[c] = ClampByte(s / divisor);
            }
            out.SetPixel(x, y, MakeColor(channel[0], channel[1], channel[2]));
        }
    }
    return out;
}

TEST(Convolve3x3, MatchesThePaddedCopyDefinition) {
    struct Case {
        std::array<int, 9> kernel;
        int divisor;
        int width, height;
    };
    const Case cases[] = {
        {kBlurKernel, 16, 7, 5},
        {{-1, -1, -1, -1, 9, -1, -1, -1, -1}, 1, 13, 3},
        {{-1, -2, -1, 0, 3, 0, 1, -2, 1}, 4, 17, 9}, // negative sums over a power of two
        {{1, -2, 3, 0, 5, -7, 2, 2, -1}, 3, 5, 1},
        {{-4, 1, 2, 3, 1, 0, -2, 6, 1}, 8, 1, 6},
        // Large enough to split into two bands on two threads.
        {{3, -1, 2, 1, 1, 4, -2, 1, 2}, 7, 611, 433},
        {kBlurKernel, 16, 611, 433},
    };
    for (const Case& c : cases) {
        const TBitmap original = RandomPicture(c.width, c.height, c.width);
        TBitmap picture = original;
        Convolve3x3(c.kernel, static_cast<std::uint16_t>(c.divisor), picture);
        EXPECT_EQ(FirstDifference(picture, ConvolveByDefinition(c.kernel, c.divisor, original)), "")
            << c.width << "x" << c.height;
    }
}

TEST(Convolve3x3, TreatsDivisorZeroAsOne) {
    TBitmap picture = Uniform(3, 3, Grey(20));
    Convolve3x3({0, 0, 0, 0, 2, 0, 0, 0, 0}, 0, picture);
    EXPECT_EQ(picture.GetPixel(1, 1), Grey(40));
}

TEST(CopyAs24Bit, KeepsThePictureInTwentyFourBits) {
    TBitmap source(5, 4, TPixelFormat::pf32bit);
    source.SetPixel(2, 3, clAqua);
    TBitmap copy(1, 1);
    CopyAs24Bit(copy, source);
    EXPECT_EQ(copy.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(FirstDifference(copy, source), "");
}

} // namespace
} // namespace zorvic
