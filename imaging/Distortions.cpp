#include "Distortions.h"

#include "RowAccess.h"
#include "Swirl.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <vector>

namespace zorvic {

namespace {

// The wave's shifts are evaluated in extended precision.
using Extended = long double;

std::int64_t MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start)
        .count();
}

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
    // Every pixel is written below, by both threads: a fill first would only cost time.
    dst = TBitmap::WithoutFill(source.Width(), source.Height(), TPixelFormat::pf24bit);
    const TSwirl swirl(source, amount);
    const auto out = rows::Writable(dst);
    const int width = source.Width();
    rows::Split(source.Height(), static_cast<long long>(width) * source.Height(),
                [&](int first, int end) {
                    // Neighbouring destination pixels sample a turned neighbourhood of the
                    // source; tiles of rows keep those source rows in the cache.
                    constexpr int kTile = TSwirl::kBatch;
                    for (int top = first; top < end; top += kTile)
                        for (int left = 0; left < width; left += kTile)
                            for (int y = top; y < std::min(top + kTile, end); ++y)
                                swirl.Row(y, left, std::min(left + kTile, width), out[y]);
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
