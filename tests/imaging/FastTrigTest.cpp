#include "FastTrig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace zorvic {
namespace {

using namespace fasttrig;
using Extended = long double;
constexpr Extended kHalfPiExtended = 1.570796326794896619231321691639751442L;
constexpr Extended kBound = 0x1p-50L;

Extended RelativeError(double approximation, Extended exact) {
    return exact == 0 ? std::fabs(approximation) : std::fabs((approximation - exact) / exact);
}

// Single-precision angles, as the swirl passes them: a wide random sample, small ones, and the
// floats on either side of every multiple of pi/2 in range, where a sine or cosine is nearest 0.
std::vector<float> Angles() {
    std::vector<float> angles;
    std::mt19937 random(7);
    std::uniform_real_distribution<float> anywhere(-kLargestAngle, kLargestAngle);
    for (int i = 0; i < 2000000; ++i)
        angles.push_back(anywhere(random));
    std::uniform_real_distribution<float> small(-0.01f, 0.01f);
    for (int i = 0; i < 100000; ++i)
        angles.push_back(small(random));
    for (int k = -652; k <= 652; ++k) {
        const float nearest = static_cast<float>(k * kHalfPiExtended);
        for (const float angle :
             {nearest, std::nextafter(nearest, 2048.0f), std::nextafter(nearest, -2048.0f)})
            angles.push_back(angle);
    }
    return angles;
}

TEST(FastTrig, SineAndCosineWithinTwoToTheMinusFifty) {
    for (const float angle : Angles()) {
        const TSineCosine result = SineCosine(angle);
        const Extended x = angle;
        ASSERT_LE(RelativeError(result.sine, std::sin(x)), kBound) << "sine of " << angle;
        ASSERT_LE(RelativeError(result.cosine, std::cos(x)), kBound) << "cosine of " << angle;
    }
}

// Half-integer coordinates, as the swirl passes them, and quotients of every size.
std::vector<std::pair<double, double>> Coordinates() {
    std::vector<std::pair<double, double>> coordinates;
    std::mt19937 random(11);
    std::uniform_int_distribution<int> half(-16000, 16000);
    for (int i = 0; i < 2000000; ++i)
        coordinates.emplace_back(half(random) / 2.0, half(random) / 2.0);
    std::uniform_real_distribution<double> exponent(-60, 60);
    for (int i = 0; i < 200000; ++i)
        coordinates.emplace_back(std::exp2(exponent(random)) * (i % 2 ? 1 : -1), i % 3 ? 1 : -1);
    for (int k = -16; k <= 16; ++k)
        for (const double q :
             {k / 8.0, k / 8.0 + 1.0 / 16, std::nextafter(k / 8.0 + 1.0 / 16, 9.0)})
            coordinates.emplace_back(q, 1);
    return coordinates;
}

TEST(FastTrig, ArcTangentWithinTwoToTheMinusFifty) {
    for (const auto& [y, x] : Coordinates()) {
        if (x == 0) continue;
        const Extended exact = std::atan(static_cast<Extended>(y) / x);
        ASSERT_LE(RelativeError(ArcTangent(y, x), exact), kBound) << "at " << y << " / " << x;
    }
}

TEST(FastTrig, EndsOfTheRanges) {
    EXPECT_EQ(SineCosine(0).sine, 0);
    EXPECT_EQ(SineCosine(0).cosine, 1);
    EXPECT_EQ(ArcTangent(0, 5), 0);
    EXPECT_EQ(ArcTangent(3, 0), kHalfPi);
    EXPECT_EQ(ArcTangent(-3, 0), -kHalfPi);
}

} // namespace
} // namespace zorvic
