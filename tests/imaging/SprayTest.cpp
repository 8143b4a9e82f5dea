#include "Spray.h"

#include "TestPictures.h"

#include <gtest/gtest.h>

namespace zorvic {
namespace {

TEST(SprayReach, RoundsTheExtendedProductHalfToEven) {
    const int cases[][2] = {{10, 6}, {30, 20},   {50, 32},   {100, 65},  {500, 325},
                            {1, 1},  {190, 123}, {350, 227}, {390, 253}, {2, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(SprayReach(c[0]), c[1]) << "radius " << c[0];
}

TEST(SprayAt, RadiusOnePaintsOnlyThePointer) {
    TBitmap picture = testing::Uniform(5, 5, clWhite);
    SprayAt(picture, {2, 3}, 1, clRed);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(picture.GetPixel(x, y), x == 2 && y == 3 ? clRed : clWhite);
}

TEST(SprayAt, DotsStayStrictlyInsideTheReachAndNumberAtMostRadiusPlusOne) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        TBitmap picture = testing::Uniform(21, 21, clWhite);
        SprayAt(picture, {10, 10}, 10, clBlue);
        int dots = 0;
        for (int y = 0; y < 21; ++y) {
            for (int x = 0; x < 21; ++x) {
                if (picture.GetPixel(x, y) == clWhite) continue;
                ++dots;
                EXPECT_LT((x - 10) * (x - 10) + (y - 10) * (y - 10), 36);
            }
        }
        EXPECT_LE(dots, 11);
    }
}

TEST(SprayAt, ClipsAtThePictureEdge) {
    // At a corner, the dots that fall inside land in the quarter of the reach that is there.
    TBitmap picture = testing::Uniform(21, 21, clWhite);
    for (int attempt = 0; attempt < 20; ++attempt)
        SprayAt(picture, {0, 0}, 10, clBlue);
    int dots = 0;
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 21; ++x)
            if (picture.GetPixel(x, y) != clWhite) {
                ++dots;
                EXPECT_LT(x * x + y * y, 36) << x << "," << y;
            }
    EXPECT_GT(dots, 0);

    // Far beyond the picture, a reach of 325 pixels paints nothing of it.
    TBitmap untouched = testing::Uniform(21, 21, clWhite);
    SprayAt(untouched, {-400, 9000}, 500, clBlue);
    EXPECT_EQ(testing::FirstDifference(untouched, testing::Uniform(21, 21, clWhite)), "");
}

} // namespace
} // namespace zorvic
