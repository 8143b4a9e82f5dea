#include "Distortions.h"

#include "RowAccess.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace zorvic {

namespace {

// Expressions are evaluated in extended precision; values the definitions store between steps
// are rounded to single precision exactly where they are stored.
using Extended = long double;
constexpr Extended kPi = 3.141592653589793238462643383279502884L;

std::int64_t MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start)
        .count();
}

// The polar angle of (dx, dy), between -pi/2 and 3pi/2.
float TwistAngle(float dx, float dy) {
    if (dx == 0) return static_cast<float>(dy > 0 ? kPi / 2 : -kPi / 2);
    Extended angle = std::atan(static_cast<Extended>(dy) / dx);
    if (dx < 0) angle += kPi;
    return static_cast<float>(angle);
}

// The next float after f towards +infinity (up) or -infinity, by its bit pattern: a library
// call per pixel would cost more than the sines it saves.
float NextFloat(float f, bool up) {
    if (f == 0)
        return up ? std::numeric_limits<float>::denorm_min()
                  : -std::numeric_limits<float>::denorm_min();
    const auto bits = std::bit_cast<std::uint32_t>(f);
    return std::bit_cast<float>(up == (f > 0) ? bits + 1 : bits - 1);
}

// Extended-precision sines and arc tangents cost several times their double counterparts. A
// double result lies within `margin` of the extended one; unless that margin reaches a single-
// precision rounding boundary, both round to the same stored value. Otherwise the caller
// computes in extended precision after all.
bool RoundsLikeExtended(Extended approximation, Extended margin, float& rounded) {
    rounded = static_cast<float>(approximation);
    const Extended down = (static_cast<Extended>(rounded) + NextFloat(rounded, false)) / 2;
    const Extended up = (static_cast<Extended>(rounded) + NextFloat(rounded, true)) / 2;
    return approximation - down > margin && up - approximation > margin;
}

// Double results are within a few units of 2^-53 of the value; the margins allow 2^-47.
constexpr Extended kRelativeMargin = 0x1p-47L;

bool FastTwistAngle(float dx, float dy, float& angle) {
    if (dx == 0) {
        angle = TwistAngle(dx, dy);
        return true;
    }
    Extended approximation = std::atan(static_cast<double>(dy) / dx);
    Extended margin = std::fabs(approximation) * kRelativeMargin;
    if (dx < 0) {
        approximation += kPi;
        margin += 4 * kRelativeMargin;
    }
    return RoundsLikeExtended(approximation, margin, angle);
}

// Bilinear weights for one axis: w0 for the sample at the truncated coordinate, w1 for the next.
void AxisWeights(float s, int truncated, float& w0, float& w1) {
    if (s >= 0) {
        w1 = static_cast<float>(s - static_cast<Extended>(truncated));
        w0 = static_cast<float>(1 - static_cast<Extended>(w1));
    } else {
        w0 = static_cast<float>(truncated - static_cast<Extended>(s));
        w1 = static_cast<float>(1 - static_cast<Extended>(w0));
    }
}

// Brings a coordinate past either edge back in from the other side.
int WrapAround(long long i, int size) {
    if (i < 0) return static_cast<int>((size - 1) - ((-i) % size));
    if (i >= size) return static_cast<int>(i % size);
    return static_cast<int>(i);
}

// The second sample along an axis: the next pixel, or its mirror once past the far edge.
int NextSample(int i, int step, int size) {
    return i + step < size ? i + step : size - i - step;
}

std::uint8_t RoundToByte(float sum) {
    return static_cast<std::uint8_t>(ClampByte(static_cast<int>(std::nearbyint(sum))));
}

class Swirl {
public:
    Swirl(const TBitmap& src, int amount)
        : width_(src.Width()), height_(src.Height()), amount_(amount),
          cx_(static_cast<float>((width_ - 1) / Extended{2})),
          cy_(static_cast<float>((height_ - 1) / Extended{2})), row_(rows::Readable(src)) {}

    void Pixel(int x, int y, std::uint8_t* out) const {
        const float dx = static_cast<float>(x - static_cast<Extended>(cx_));
        const float dy = static_cast<float>(y - static_cast<Extended>(cy_));
        const float r = static_cast<float>(
            std::sqrt(static_cast<Extended>(dx) * dx + static_cast<Extended>(dy) * dy));
        float u = 0, v = 0;
        if (r != 0 && !FastSourceOffset(dx, dy, r, u, v)) {
            const float theta = Turned(TwistAngle(dx, dy), r);
            u = static_cast<float>(r * std::cos(static_cast<Extended>(theta)));
            v = static_cast<float>(r * std::sin(static_cast<Extended>(theta)));
        }
        const float sx = static_cast<float>(static_cast<Extended>(u) + cx_);
        const float sy = static_cast<float>(static_cast<Extended>(v) + cy_);
        int ix = static_cast<int>(sx);
        int iy = static_cast<int>(sy);
        float wx[2], wy[2];
        AxisWeights(sx, ix, wx[0], wx[1]);
        AxisWeights(sy, iy, wy[0], wy[1]);
        ix = WrapAround(ix, width_);
        iy = WrapAround(iy, height_);
        float blue = 0, green = 0, red = 0;
        for (int i = 0; i < 2; ++i) {
            const int column = NextSample(ix, i, width_);
            for (int j = 0; j < 2; ++j) {
                const std::uint8_t* p = row_[NextSample(iy, j, height_)] + 3 * column;
                const float weight = static_cast<float>(static_cast<Extended>(wx[i]) * wy[j]);
                blue = static_cast<float>(blue + static_cast<Extended>(weight) * p[0]);
                green = static_cast<float>(green + static_cast<Extended>(weight) * p[1]);
                red = static_cast<float>(red + static_cast<Extended>(weight) * p[2]);
            }
        }
        out[0] = RoundToByte(blue);
        out[1] = RoundToByte(green);
        out[2] = RoundToByte(red);
    }

private:
    float Turned(float phi, float r) const {
        return static_cast<float>(phi - static_cast<Extended>(r) / amount_ + kPi / 2);
    }

    // The source offset (u, v) through double sines, when they round as the extended ones do.
    bool FastSourceOffset(float dx, float dy, float r, float& u, float& v) const {
        float phi;
        if (!FastTwistAngle(dx, dy, phi)) return false;
        const double theta = Turned(phi, r);
        const Extended cosine = r * static_cast<Extended>(std::cos(theta));
        const Extended sine = r * static_cast<Extended>(std::sin(theta));
        return RoundsLikeExtended(cosine, std::fabs(cosine) * kRelativeMargin, u) &&
               RoundsLikeExtended(sine, std::fabs(sine) * kRelativeMargin, v);
    }

    int width_, height_, amount_;
    float cx_, cy_;
    std::vector<const std::uint8_t*> row_;
};

// As WrapAround, but past the bottom a row wraps modulo size - 1; a single row stays row 0.
int WrapWaveRow(long long i, int size) {
    if (i < 0) return static_cast<int>((size - 1) - ((-i) % size));
    if (i >= size) return size > 1 ? static_cast<int>(i % (size - 1)) : 0;
    return static_cast<int>(i);
}

// The shifts Amplitude * sin(i / divisor), i = 0 .. count - 1, along one axis, in extended
// precision. Shifted(i, k) = round(shift[i] + k) is k + round(shift[i]) unless shift[i] lies
// within 2^-40 of a half, where the sum's own rounding and ties to even decide; only those
// shifts take the extended sum per pixel.
class WaveShifts {
public:
    WaveShifts(int count, int divisor, int amplitude) {
        const auto size = static_cast<std::size_t>(count);
        exact_.resize(size);
        rounded_.resize(size);
        nearHalf_.resize(size);
        for (std::size_t i = 0; i < size; ++i) {
            exact_[i] = amplitude * std::sin(static_cast<Extended>(i) / divisor);
            const Extended whole = std::floor(exact_[i]);
            // Past 2^20 the sum itself may round; such amplitudes take the per-pixel sum too.
            nearHalf_[i] =
                std::fabs(exact_[i] - whole - 0.5L) < 0x1p-40L || std::fabs(exact_[i]) > 0x1p20L;
            rounded_[i] = nearHalf_[i] ? 0 : std::llrint(exact_[i]);
        }
    }
    long long Shifted(int i, int k) const {
        return nearHalf_[i] ? std::llrint(exact_[i] + k) : k + rounded_[i];
    }

private:
    std::vector<Extended> exact_;
    std::vector<long long> rounded_;
    std::vector<char> nearHalf_;
};

} // namespace

std::int64_t Twist(const TBitmap& src, TBitmap& dst, int amount) {
    const auto start = std::chrono::steady_clock::now();
    TBitmap source = src;
    rows::Make24Bit(source);
    if (amount == 0) {
        // r / 0 has no angle to turn by; leave the picture as it is.
        dst = source;
        return MillisecondsSince(start);
    }
    rows::Make24Bit(dst);
    dst.SetSize(source.Width(), source.Height());
    const Swirl swirl(source, amount);
    const auto out = rows::Writable(dst);
    const int width = source.Width();
    rows::Split(source.Height(), static_cast<long long>(width) * source.Height(),
                [&](int first, int end) {
                    // Neighbouring destination pixels sample a turned neighbourhood of the
                    // source; small tiles keep those source rows in the cache.
                    constexpr int kTile = 32;
                    for (int top = first; top < end; top += kTile)
                        for (int left = 0; left < width; left += kTile)
                            for (int y = top; y < std::min(top + kTile, end); ++y)
                                for (int x = left; x < std::min(left + kTile, width); ++x)
                                    swirl.Pixel(x, y, out[y] + 3 * x);
                });
    return MillisecondsSince(start);
}

std::optional<std::int64_t> Wave(TBitmap& picture, int xDivisor, int yDivisor, int amplitude) {
    if (xDivisor == 0 || yDivisor == 0) return std::nullopt;
    TBitmap source = picture;
    rows::Make24Bit(source);
    const int width = source.Width(), height = source.Height();
    TBitmap result(width, height);
    const auto start = std::chrono::steady_clock::now();
    const WaveShifts rowShift(height, yDivisor, amplitude);
    const WaveShifts columnShift(width, xDivisor, amplitude);
    const auto from = rows::Readable(source);
    const auto to = rows::Writable(result);
    // Every destination pixel is independent, so rows may run in any order and on both cores.
    rows::Split(height, static_cast<long long>(width) * height, [&](int first, int end) {
        for (int y = first; y < end; ++y) {
            std::uint8_t* q = to[y];
            for (int x = 0; x < width; ++x, q += 3) {
                const int sx = WrapAround(rowShift.Shifted(y, x), width);
                const int sy = WrapWaveRow(columnShift.Shifted(x, y), height);
                const std::uint8_t* p = from[sy] + 3 * sx;
                q[0] = p[0];
                q[1] = p[1];
                q[2] = p[2];
            }
        }
    });
    picture = result;
    return MillisecondsSince(start);
}

} // namespace zorvic
