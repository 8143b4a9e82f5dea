#include "Distortions.h"

#include "RowAccess.h"

#include <chrono>
#include <cmath>
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
int WrapTwist(int i, int size) {
    if (i < 0) return (size - 1) - ((-i) % size);
    if (i > size - 1) return i % size;
    return i;
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
        if (r != 0) {
            const float phi = TwistAngle(dx, dy);
            const float theta =
                static_cast<float>(phi - static_cast<Extended>(r) / amount_ + kPi / 2);
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
        ix = WrapTwist(ix, width_);
        iy = WrapTwist(iy, height_);
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
    int width_, height_, amount_;
    float cx_, cy_;
    std::vector<const std::uint8_t*> row_;
};

// Wraps a wave coordinate; the far edge wraps modulo size - 1, and a single row stays row 0.
int WrapWaveRow(int i, int size) {
    if (i < 0) return (size - 1) - ((-i) % size);
    if (i >= size) return size > 1 ? i % (size - 1) : 0;
    return i;
}

int WrapWaveColumn(int i, int size) {
    if (i < 0) return (size - 1) - ((-i) % size);
    if (i >= size) return i % size;
    return i;
}

// Amplitude * sin(i / divisor) for i = 0 .. count - 1, kept in extended precision.
std::vector<Extended> WaveOffsets(int count, int divisor, int amplitude) {
    std::vector<Extended> offsets(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        offsets[static_cast<std::size_t>(i)] =
            amplitude * std::sin(static_cast<Extended>(i) / divisor);
    return offsets;
}

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
                    for (int y = first; y < end; ++y)
                        for (int x = 0; x < width; ++x)
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
    const std::vector<Extended> rowShift = WaveOffsets(height, yDivisor, amplitude);
    const std::vector<Extended> columnShift = WaveOffsets(width, xDivisor, amplitude);
    const auto from = rows::Readable(source);
    const auto to = rows::Writable(result);
    // Every destination pixel is independent, so rows may run in any order and on both cores.
    rows::Split(height, static_cast<long long>(width) * height, [&](int first, int end) {
        for (int y = first; y < end; ++y) {
            for (int x = 0; x < width; ++x) {
                const int sx = WrapWaveColumn(static_cast<int>(std::lrint(rowShift[y] + x)), width);
                const int sy =
                    WrapWaveRow(static_cast<int>(std::lrint(columnShift[x] + y)), height);
                const std::uint8_t* p = from[sy] + 3 * sx;
                std::uint8_t* q = to[y] + 3 * x;
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
