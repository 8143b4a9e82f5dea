#pragma once
#include <cmath>

// Sine, cosine and arc tangent in double precision for loops that work on many values at once:
// inline and without branches, so that such loops vectorise. Each result lies within 2^-50 of the
// exact value, relative to that value (the tests check a wide sample against extended precision).
namespace zorvic::fasttrig {

// Adding and subtracting this rounds a double below 2^51 to a whole number, to nearest.
inline constexpr double kRoundingShift = 0x1.8p52;
inline constexpr double kHalfPi = 0x1.921fb54442d18p+0;
// Arguments of SineCosine up to this size; beyond it the result means nothing and callers check.
inline constexpr double kLargestAngle = 1024;

struct TSineCosine {
    double sine = 0;
    double cosine = 1;
};

inline TSineCosine SineCosine(double x) {
    constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
    // pi/2 in three parts. The first two have 42 significant bits, so n times either is exact for
    // |n| up to 2^10; the third holds the rest. Together they are within 2^-139 of pi/2.
    constexpr double kHalfPi1 = 0x1.921fb54442800p+0;
    constexpr double kHalfPi2 = 0x1.4611a62633000p-42;
    constexpr double kHalfPi3 = 0x1.45c06e0e68948p-86;
    const double quadrants = (x * kTwoOverPi + kRoundingShift) - kRoundingShift;
    // x - n * (first part) is exact: both are doubles within a factor of two of each other (or n
    // is 0). The rest is rounded relative to the result, so t keeps about 52 correct bits
    // however near x lies to a multiple of pi/2.
    const double t = ((x - quadrants * kHalfPi1) - quadrants * kHalfPi2) - quadrants * kHalfPi3;
    // Taylor series on |t| <= pi/4 (a little beyond, where the rounded quadrant is off by one):
    // the first terms left out are below 2^-54, and each sum is dominated by its first term.
    const double z = t * t;
    const double sineTail =
        -1.0 / 6 +
        z * (1.0 / 120 + z * (-1.0 / 5040 +
                              z * (1.0 / 362880 + z * (-1.0 / 39916800 +
                                                       z * (1.0 / 6227020800 +
                                                            z * (-1.0 / 1307674368000 +
                                                                 z * (1.0 / 355687428096000)))))));
    const double cosineTail =
        1.0 / 24 +
        z * (-1.0 / 720 +
             z * (1.0 / 40320 +
                  z * (-1.0 / 3628800 +
                       z * (1.0 / 479001600 +
                            z * (-1.0 / 87178291200 +
                                 z * (1.0 / 20922789888000 + z * (-1.0 / 6402373705728000)))))));
    const double sine = t + t * z * sineTail;
    const double cosine = 1 - z / 2 + z * z * cosineTail;
    // The quarter turns: (sin, cos) of t + n pi/2 for n = 0, 1, 2, 3 are (s, c), (c, -s), (-s, -c)
    // and (-c, s).
    const int quadrant = static_cast<int>(quadrants) & 3;
    const double swappedSine = quadrant & 1 ? cosine : sine;
    const double swappedCosine = quadrant & 1 ? sine : cosine;
    return {quadrant & 2 ? -swappedSine : swappedSine,
            (quadrant + 1) & 2 ? -swappedCosine : swappedCosine};
}

// atan(k/8), k = 0 .. 8, correctly rounded.
inline constexpr double kArcTangentOfEighths[9] = {
    0x0.0p+0,
    0x1.fd5ba9aac2f6ep-4,
    0x1.f5b75f92c80ddp-3,
    0x1.6f61941e4def1p-2,
    0x1.dac670561bb4fp-2,
    0x1.1e00babdefeb4p-1,
    0x1.4978fa3269ee1p-1,
    0x1.700a7c5784634p-1,
    0x1.921fb54442d18p-1,
};

// The arc tangent of y / x, between -pi/2 and pi/2 (+-pi/2 for x = 0), with a single division.
inline double ArcTangent(double y, double x) {
    const double across = std::fabs(x);
    const double up = std::fabs(y);
    // Above 1, atan(q) = pi/2 - atan(1/q).
    const bool inverted = up > across;
    const double t = (inverted ? across : up) / (inverted ? up : across);
    // atan(t) = atan(c) + atan((t - c) / (1 + t c)) for the nearest c = k/8, which leaves an
    // argument of at most 1/16 for the series; its first term left out is below 2^-59 of it.
    const double eighths = (t * 8 + kRoundingShift) - kRoundingShift;
    const double c = eighths / 8;
    const double w = (t - c) / (1 + t * c);
    const double w2 = w * w;
    const double series =
        w + w * w2 *
                (-1.0 / 3 +
                 w2 * (1.0 / 5 + w2 * (-1.0 / 7 + w2 * (1.0 / 9 + w2 * (-1.0 / 11 + w2 / 13)))));
    // Chosen by comparisons rather than an index, which vectorises (and is safe for NaN).
    double atanOfC = 0;
    for (int k = 1; k <= 8; ++k)
        atanOfC = eighths >= k ? kArcTangentOfEighths[k] : atanOfC;
    const double reduced = atanOfC + series;
    const bool negative = (y < 0) != (x < 0);
    return std::copysign(inverted ? kHalfPi - reduced : reduced, negative ? -1.0 : 1.0);
}

} // namespace zorvic::fasttrig
