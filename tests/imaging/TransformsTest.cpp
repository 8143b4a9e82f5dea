#include "Transforms.h"

#include "TestPictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

namespace zorvic {
namespace {

using testing::Colors;
using testing::FirstDifference;
using testing::FromColors;
using testing::RandomPicture;
using testing::Uniform;

constexpr TColor a = 0x0A0A0A, b = 0x0B0B0B, c = 0x0C0C0C, d = 0x0D0D0D, e = 0x0E0E0E, f = 0x0F0F0F;

TBitmap SixPixels() {
    return FromColors(3, 2, {a, b, c, d, e, f});
}

TEST(Turns, WorkedThreeByTwoPicture) {
    TBitmap turned90 = SixPixels(), turned270 = SixPixels(), turned180 = SixPixels(),
            mirrored = SixPixels();
    RotateBitmap90(turned90);
    RotateBitmap270(turned270);
    RotateBitmap180(turned180);
    MirrorSymmetrical(mirrored);
    EXPECT_EQ(Colors(turned90), (std::vector<TColor>{d, a, e, b, f, c}));
    EXPECT_EQ(turned90.Width(), 2);
    EXPECT_EQ(Colors(turned270), (std::vector<TColor>{c, f, b, e, a, d}));
    EXPECT_EQ(turned270.Width(), 2);
    EXPECT_EQ(Colors(turned180), (std::vector<TColor>{f, e, d, c, b, a}));
    EXPECT_EQ(Colors(mirrored), (std::vector<TColor>{f, e, d, c, b, a}));
}

// The single-pixel definitions of the turns, new pixel from old pixel.
TBitmap ByDefinition(const TBitmap& old, bool swapSides,
                     const std::function<TColor(const TBitmap&, int, int)>& newPixel) {
    TBitmap result(swapSides ? old.Height() : old.Width(), swapSides ? old.Width() : old.Height());
    for (int y = 0; y < result.Height(); ++y)
        for (int x = 0; x < result.Width(); ++x)
            result.SetPixel(x, y, newPixel(old, x, y));
    return result;
}

TEST(Turns, MatchTheirSinglePixelDefinitionsOnOddSizes) {
    // Sizes around the tile edges, and one large enough for two threads.
    const int sizes[][2] = {{1, 1}, {1, 7}, {7, 1}, {3, 2}, {67, 131}, {129, 65}, {613, 457}};
    for (const auto& size : sizes) {
        const TBitmap original = RandomPicture(size[0], size[1], size[0] * size[1]);
        const int w = size[0], h = size[1];
        TBitmap picture = original;
        RotateBitmap90(picture);
        EXPECT_EQ(FirstDifference(picture, ByDefinition(original, true,
                                                        [h](const TBitmap& old, int x, int y) {
                                                            return old.GetPixel(y, h - 1 - x);
                                                        })),
                  "")
            << "90 on " << w << "x" << h;
        picture = original;
        RotateBitmap270(picture);
        EXPECT_EQ(FirstDifference(picture, ByDefinition(original, true,
                                                        [w](const TBitmap& old, int x, int y) {
                                                            return old.GetPixel(w - 1 - y, x);
                                                        })),
                  "")
            << "270 on " << w << "x" << h;
        picture = original;
        RotateBitmap180(picture);
        EXPECT_EQ(FirstDifference(picture, ByDefinition(original, false,
                                                        [w, h](const TBitmap& old, int x, int y) {
                                                            return old.GetPixel(w - 1 - x,
                                                                                h - 1 - y);
                                                        })),
                  "")
            << "180 on " << w << "x" << h;
    }
}

TEST(Turns, FourQuarterTurnsGiveBackThePicture) {
    const TBitmap original = RandomPicture(517, 389, 4);
    TBitmap picture = original;
    for (int turn = 0; turn < 4; ++turn)
        RotateBitmap90(picture);
    EXPECT_EQ(FirstDifference(picture, original), "");
}

TEST(Turns, MakeOtherPixelFormats24Bit) {
    TBitmap picture(4, 3, TPixelFormat::pf8bit);
    RotateBitmap90(picture);
    EXPECT_EQ(picture.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(picture.Width(), 3);
}

TEST(Flips, ReverseColumnsOrRows) {
    TBitmap horizontal = SixPixels(), vertical = SixPixels();
    FlipHorizontal(horizontal);
    FlipVertical(vertical);
    EXPECT_EQ(Colors(horizontal), (std::vector<TColor>{c, b, a, f, e, d}));
    EXPECT_EQ(Colors(vertical), (std::vector<TColor>{d, e, f, a, b, c}));
}

TEST(Mirrors, PlaceTheReflectionBesideOrBelow) {
    TBitmap side = SixPixels(), below = SixPixels();
    MirrorHorizontal(side);
    MirrorVertical(below);
    EXPECT_EQ(Colors(side), (std::vector<TColor>{a, b, c, c, b, a, d, e, f, f, e, d}));
    EXPECT_EQ(Colors(below), (std::vector<TColor>{a, b, c, d, e, f, d, e, f, a, b, c}));
}

TEST(Mirrors, Sizes) {
    TBitmap side = RandomPicture(100, 50), below = side;
    MirrorHorizontal(side);
    EXPECT_EQ(side.Width(), 200);
    EXPECT_EQ(side.Height(), 50);
    MirrorVertical(below);
    EXPECT_EQ(below.Width(), 100);
    EXPECT_EQ(below.Height(), 100);
    MirrorVertical(below);
    EXPECT_EQ(below.Height(), 200);
}

TEST(Translate, MovesRightAndDownLeavingWhiteBands) {
    const TBitmap original = RandomPicture(100, 80);
    TBitmap picture = original;
    Translate(picture, 10, 10);
    ASSERT_EQ(picture.Width(), 100);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(picture.GetPixel(x, y),
                      x < 10 || y < 10 ? clWhite : original.GetPixel(x - 10, y - 10))
                << "pixel (" << x << ", " << y << ")";
}

TEST(Translate, EveryDirectionInPlace) {
    const TBitmap original = RandomPicture(13, 9);
    for (auto [dx, dy] : {std::pair{3, 0}, std::pair{-3, 0}, std::pair{0, 2}, std::pair{0, -2},
                          std::pair{4, -3}, std::pair{-5, 6}, std::pair{0, 0}}) {
        TBitmap picture = original;
        Translate(picture, dx, dy);
        for (int y = 0; y < 9; ++y) {
            for (int x = 0; x < 13; ++x) {
                const bool inside = x - dx >= 0 && x - dx < 13 && y - dy >= 0 && y - dy < 9;
                ASSERT_EQ(picture.GetPixel(x, y),
                          inside ? original.GetPixel(x - dx, y - dy) : clWhite)
                    << "shift (" << dx << ", " << dy << ") pixel (" << x << ", " << y << ")";
            }
        }
    }
}

TEST(Translate, NegativeAndOversizedShifts) {
    TBitmap left = SixPixels();
    Translate(left, -1, -1);
    EXPECT_EQ(Colors(left), (std::vector<TColor>{e, f, clWhite, clWhite, clWhite, clWhite}));
    for (auto shift : {std::pair{3, 0}, std::pair{0, -2}, std::pair{-2147483647 - 1, 5},
                       std::pair{2147483647, 2147483647}}) {
        TBitmap gone = SixPixels();
        Translate(gone, shift.first, shift.second);
        EXPECT_EQ(FirstDifference(gone, Uniform(3, 2, clWhite)), "");
    }
}

// The any-angle rotation as defined, all in extended precision, single pixels.
TBitmap RotateByDefinition(const TBitmap& source, int degrees) {
    using Extended = long double;
    constexpr Extended kPi = 3.141592653589793238462643383279502884L;
    const int w = source.Width(), h = source.Height(), side = std::max(w, h);
    TBitmap dest(side, side);
    auto put = [&](int x, int y, long long sx, long long sy) {
        const bool inside = sx >= 0 && sy >= 0 && sx < w && sy < h;
        dest.SetPixel(
            x, y, inside ? source.GetPixel(static_cast<int>(sx), static_cast<int>(sy)) : clBlack);
    };
    const Extended theta = static_cast<Extended>(degrees) / 180 * kPi;
    const int cx1 = w / 2, cy1 = h / 2, c2 = side / 2;
    for (int i = 0; i < c2; ++i) {
        for (int j = 0; j < c2; ++j) {
            const Extended a =
                i == 0 ? kPi / 2 : std::atan2(static_cast<Extended>(j), static_cast<Extended>(i));
            const Extended r = std::nearbyint(std::sqrt(static_cast<Extended>(i * i + j * j)));
            const long long dx = std::llrint(std::cos(theta + a) * r);
            const long long dy = std::llrint(std::sin(theta + a) * r);
            put(c2 + i, c2 + j, cx1 + dx, cy1 + dy);
            put(c2 - i, c2 - j, cx1 - dx, cy1 - dy);
            put(c2 + j, c2 - i, cx1 + dy, cy1 - dx);
            put(c2 - j, c2 + i, cx1 - dy, cy1 + dx);
        }
    }
    return dest;
}

TEST(RotateBitmap, MatchesTheExtendedPrecisionDefinition) {
    // 30 and 60 degrees put exact halves on the axes, where only extended precision decides.
    const int cases[][3] = {{41, 29, 30}, {29, 41, 60}, {33, 33, -45}, {16, 9, 1000}, {1, 6, 90}};
    for (const auto& c : cases) {
        const TBitmap original = RandomPicture(c[0], c[1], c[2] + 500);
        TBitmap result;
        RotateBitmap(original, result, c[2]);
        EXPECT_EQ(FirstDifference(result, RotateByDefinition(original, c[2])), "")
            << c[0] << "x" << c[1] << " by " << c[2];
    }
}

TEST(RotateBitmap, ZeroDegreesCentresThePictureOnASquare) {
    const TBitmap original = RandomPicture(100, 50);
    TBitmap result;
    int steps = 0;
    RotateBitmap(original, result, 0, [&] { ++steps; });
    ASSERT_EQ(result.Width(), 100);
    ASSERT_EQ(result.Height(), 100);
    EXPECT_EQ(steps, 50);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(result.GetPixel(i, 0), clWhite);
        EXPECT_EQ(result.GetPixel(0, i), clWhite);
    }
    int matching = 0;
    for (int y = 1; y < 100; ++y) {
        for (int x = 1; x < 100; ++x) {
            if (y < 25 || y >= 75)
                ASSERT_EQ(result.GetPixel(x, y), clBlack)
                    << "band pixel (" << x << ", " << y << ")";
            else
                matching += result.GetPixel(x, y) == original.GetPixel(x, y - 25);
        }
    }
    // Rounding the radius misplaces a few pixels; nearly all sit where they were.
    EXPECT_GT(matching, 99 * 50 * 9 / 10);
}

TEST(RotateBitmap, PlusNinetyTurnsCounterClockwise) {
    // Quadrants: top-left red, top-right green, bottom-left blue, bottom-right white.
    TBitmap original(40, 40);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            original.SetPixel(x, y,
                              y < 20 ? (x < 20 ? clRed : clLime) : (x < 20 ? clBlue : clYellow));
    TBitmap ccw, cw;
    RotateBitmap(original, ccw, 90);
    RotateBitmap(original, cw, -90);
    // Away from the seams, counter-clockwise brings top-right to top-left.
    EXPECT_EQ(ccw.GetPixel(10, 10), clLime);
    EXPECT_EQ(ccw.GetPixel(30, 10), clYellow);
    EXPECT_EQ(ccw.GetPixel(10, 30), clRed);
    EXPECT_EQ(ccw.GetPixel(30, 30), clBlue);
    EXPECT_EQ(cw.GetPixel(10, 10), clBlue);
    EXPECT_EQ(cw.GetPixel(30, 10), clRed);
}

} // namespace
} // namespace zorvic
