#include "Distortions.h"

#include "TestPictures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zorvic {
namespace {

using testing::FirstDifference;
using testing::RandomPicture;
using testing::Uniform;

using Extended = long double;
constexpr Extended kPi = 3.141592653589793238462643383279502884L;

// The swirl as defined: every stored value single precision, every expression extended.
TBitmap TwistByDefinition(const TBitmap& src, int amount) {
    const int w = src.Width(), h = src.Height();
    TBitmap dst(w, h);
    const float cx = static_cast<float>((w - 1) / 2.0L), cy = static_cast<float>((h - 1) / 2.0L);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const float dx = static_cast<float>(x - static_cast<Extended>(cx));
            const float dy = static_cast<float>(y - static_cast<Extended>(cy));
            const float r = static_cast<float>(
                std::sqrt(static_cast<Extended>(dx) * dx + static_cast<Extended>(dy) * dy));
            float u = 0, v = 0;
            if (r != 0) {
                float phi;
                if (dx == 0)
                    phi = static_cast<float>(dy > 0 ? kPi / 2 : -kPi / 2);
                else
                    phi = static_cast<float>(std::atan(static_cast<Extended>(dy) / dx) +
                                             (dx < 0 ? kPi : 0));
                const float theta =
                    static_cast<float>(phi - static_cast<Extended>(r) / amount + kPi / 2);
                u = static_cast<float>(r * std::cos(static_cast<Extended>(theta)));
                v = static_cast<float>(r * std::sin(static_cast<Extended>(theta)));
            }
            const float sx = static_cast<float>(static_cast<Extended>(u) + cx);
            const float sy = static_cast<float>(static_cast<Extended>(v) + cy);
            int ix = static_cast<int>(sx), iy = static_cast<int>(sy);
            // Weights along one axis, as defined for a coordinate on either side of zero.
            auto weights = [](float coordinate, int whole, float& w0, float& w1) {
                if (coordinate >= 0) {
                    w1 = static_cast<float>(coordinate - static_cast<Extended>(whole));
                    w0 = static_cast<float>(1 - static_cast<Extended>(w1));
                } else {
                    w0 = static_cast<float>(whole - static_cast<Extended>(coordinate));
                    w1 = static_cast<float>(1 - static_cast<Extended>(w0));
                }
            };
            float wx0, wx1, wy0, wy1;
            weights(sx, ix, wx0, wx1);
            weights(sy, iy, wy0, wy1);
            if (ix < 0)
                ix = (w - 1) - ((-ix) % w);
            else if (ix > w - 1)
                ix = ix % w;
            if (iy < 0)
                iy = (h - 1) - ((-iy) % h);
            else if (iy > h - 1)
                iy = iy % h;
            const float wx[2] = {wx0, wx1}, wy[2] = {wy0, wy1};
            float sum[3] = {0, 0, 0};
            for (int i = 0; i < 2; ++i) {
                for (int j = 0; j < 2; ++j) {
                    const int row = iy + j < h ? iy + j : h - iy - j;
                    const int column = ix + i < w ? ix + i : w - ix - i;
                    const float weight = static_cast<float>(static_cast<Extended>(wx[i]) * wy[j]);
                    const TColor c = src.GetPixel(column, row);
                    const int channel[3] = {BlueOf(c), GreenOf(c), RedOf(c)};
                    for (int k = 0; k < 3; ++k)
                        sum[k] =
                            static_cast<float>(sum[k] + static_cast<Extended>(weight) * channel[k]);
                }
            }
            auto byte = [](float s) { return ClampByte(static_cast<int>(std::nearbyint(s))); };
            dst.SetPixel(x, y, MakeColor(byte(sum[2]), byte(sum[1]), byte(sum[0])));
        }
    }
    return dst;
}

TEST(Twist, MatchesTheSinglePrecisionDefinition) {
    // The last two: rows on two threads, at odd sizes; samples more than a width past the edges.
    const int cases[][3] = {{151, 97, 150}, {64, 48, 40},    {7, 5, 150},  {1, 9, 3},
                            {200, 3, -17},  {613, 431, 150}, {5, 300, 150}};
    for (const auto& c : cases) {
        const TBitmap src = RandomPicture(c[0], c[1], c[0] + c[2]);
        TBitmap dst;
        Twist(src, dst, c[2]);
        EXPECT_EQ(FirstDifference(dst, TwistByDefinition(src, c[2])), "")
            << c[0] << "x" << c[1] << " amount " << c[2];
    }
}

TEST(Twist, KeepsTheCentreOfAnOddPictureAndASinglePixel) {
    const TBitmap src = RandomPicture(31, 21);
    TBitmap dst;
    Twist(src, dst, 150);
    EXPECT_EQ(dst.GetPixel(15, 10), src.GetPixel(15, 10));
    const TBitmap one = RandomPicture(1, 1);
    Twist(one, dst, 150);
    EXPECT_EQ(FirstDifference(dst, one), "");
}

TEST(Twist, KeepsAUniformPictureUniform) {
    // The four bilinear weights add up to one wherever the sample falls, also past the edges.
    const TBitmap src = Uniform(45, 33, MakeColor(255, 1, 128));
    TBitmap dst;
    Twist(src, dst, 20);
    EXPECT_EQ(FirstDifference(dst, src), "");
}

TEST(Twist, AmountZeroCopies) {
    const TBitmap src = RandomPicture(8, 6);
    TBitmap dst;
    Twist(src, dst, 0);
    EXPECT_EQ(FirstDifference(dst, src), "");
}

// The wave as defined: columns outermost, single pixels; a one-row picture reads row 0.
TBitmap WaveByDefinition(const TBitmap& src, int xDivisor, int yDivisor, int amplitude) {
    const int w = src.Width(), h = src.Height();
    TBitmap dst = src;
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h; ++y) {
            long long sx =
                std::llrint(amplitude * std::sin(static_cast<Extended>(y) / yDivisor) + x);
            long long sy =
                std::llrint(amplitude * std::sin(static_cast<Extended>(x) / xDivisor) + y);
            if (sx < 0)
                sx = (w - 1) - ((-sx) % w);
            else if (sx >= w)
                sx = sx % w;
            if (sy < 0)
                sy = (h - 1) - ((-sy) % h);
            else if (sy >= h)
                sy = h > 1 ? sy % (h - 1) : 0;
            dst.SetPixel(x, y, src.GetPixel(static_cast<int>(sx), static_cast<int>(sy)));
        }
    }
    return dst;
}

TEST(Wave, MatchesTheSinglePixelDefinition) {
    const int cases[][5] = {// width, height, x divisor, y divisor, amplitude
                            {83, 61, 2, 6, 2},  {5, 3, 1, 1, 9},     {40, 1, 2, 6, 2},
                            {1, 30, 2, 6, 2},   {27, 19, -3, 4, -5}, {2, 2, 1, 1, 100000},
                            {517, 511, 2, 6, 2}};
    for (const auto& c : cases) {
        const TBitmap src = RandomPicture(c[0], c[1], c[0] * c[1]);
        TBitmap picture = src;
        EXPECT_TRUE(Wave(picture, c[2], c[3], c[4]).has_value());
        EXPECT_EQ(FirstDifference(picture, WaveByDefinition(src, c[2], c[3], c[4])), "")
            << c[0] << "x" << c[1];
    }
}

TEST(Wave, ADivisorOfZeroDoesNothing) {
    const TBitmap src = RandomPicture(9, 9);
    TBitmap picture = src;
    EXPECT_FALSE(Wave(picture, 0, 6, 2).has_value());
    EXPECT_FALSE(Wave(picture, 2, 0, 2).has_value());
    EXPECT_EQ(FirstDifference(picture, src), "");
}

TEST(FarView, SqueezesRowsOntoACentredGrowingWidth) {
    const TBitmap src = Uniform(100, 80, clWhite);
    TBitmap dst;
    FarView(src, dst, 300, 600);
    ASSERT_EQ(dst.Width(), 600);
    ASSERT_EQ(dst.Height(), 80);
    auto span = [&](int y) {
        int first = -1, last = -1;
        for (int x = 0; x < 600; ++x) {
            const TColor c = dst.GetPixel(x, y);
            EXPECT_TRUE(c == clWhite || c == clBlack) << "(" << x << ", " << y << ")";
            if (c == clWhite) {
                if (first < 0) first = x;
                last = x;
            }
        }
        return std::pair{first, last};
    };
    EXPECT_EQ(span(0), (std::pair{150, 449}));
    EXPECT_EQ(span(79), (std::pair{2, 597}));
    EXPECT_EQ(span(40), (std::pair{75, 524})); // 40 * 3.75 + 300 = 450 wide
}

TEST(FarView, StretchesEachRowAsAWhole) {
    // A left half black and right half white keeps that order across every row.
    TBitmap src = Uniform(10, 4, clBlack);
    for (int y = 0; y < 4; ++y)
        for (int x = 5; x < 10; ++x)
            src.SetPixel(x, y, clWhite);
    TBitmap dst;
    FarView(src, dst, 20, 40);
    EXPECT_EQ(dst.GetPixel(15, 0), clBlack);
    EXPECT_EQ(dst.GetPixel(25, 0), clWhite);
    EXPECT_EQ(dst.GetPixel(29, 0), clWhite);
    EXPECT_EQ(dst.GetPixel(30, 0), clBlack);
}

} // namespace
} // namespace zorvic
