#include "Transforms.h"

#include "RowAccess.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace zorvic {

namespace {

void CopyPixel(const std::uint8_t* from, std::uint8_t* to) {
    std::memcpy(to, from, 3);
}

// `to` gets the pixels of `from` in reverse order; the two rows must not overlap.
void ReversePixels(const std::uint8_t* from, std::uint8_t* to, int width) {
    const std::uint8_t* p = from + 3 * static_cast<std::size_t>(width);
    for (int x = 0; x < width; ++x, to += 3) {
        p -= 3;
        to[0] = p[0];
        to[1] = p[1];
        to[2] = p[2];
    }
}

// Dest row y, column x takes source pixel (firstColumn + columnStep * y) of sourceRow[x].
// Work goes in bands of dest rows and tiles across them, so the source rows of a tile stay in
// the cache. A pixel moves as one 4-byte load and store; the spare byte lands on the next pixel
// of the same dest row, which is written afterwards, and the row ends use exact 3-byte copies.
void TurnRows(const std::vector<const std::uint8_t*>& sourceRow, int sourceWidth, int firstColumn,
              int columnStep, const std::vector<std::uint8_t*>& destRow, int firstRow, int endRow) {
    constexpr int kBand = 16, kTile = 64;
    const int destWidth = static_cast<int>(sourceRow.size());
    for (int band = firstRow; band < endRow; band += kBand) {
        const int bandEnd = std::min(band + kBand, endRow);
        for (int tile = 0; tile < destWidth; tile += kTile) {
            const int tileEnd = std::min(tile + kTile, destWidth);
            for (int y = band; y < bandEnd; ++y) {
                const int column = firstColumn + columnStep * y;
                const std::size_t offset = 3 * static_cast<std::size_t>(column);
                std::uint8_t* out = destRow[y] + 3 * static_cast<std::size_t>(tile);
                // The last source column and the last dest pixel have no spare byte after them.
                const int wideEnd = column == sourceWidth - 1 ? tile
                                    : tileEnd == destWidth    ? tileEnd - 1
                                                              : tileEnd;
                int x = tile;
                for (; x < wideEnd; ++x, out += 3)
                    std::memcpy(out, sourceRow[x] + offset, 4);
                for (; x < tileEnd; ++x, out += 3)
                    CopyPixel(sourceRow[x] + offset, out);
            }
        }
    }
}

void QuarterTurn(TBitmap& bmp, bool clockwise) {
    rows::Make24Bit(bmp);
    const int width = bmp.Width(), height = bmp.Height();
    TBitmap turned(height, width);
    if (width > 0 && height > 0) {
        const auto from = rows::Readable(bmp);
        // Clockwise, dest column x comes from source row H - 1 - x; counter-clockwise from row x.
        std::vector<const std::uint8_t*> sourceRow(static_cast<std::size_t>(height));
        for (int x = 0; x < height; ++x)
            sourceRow[x] = from[clockwise ? height - 1 - x : x];
        const auto to = rows::Writable(turned);
        const int firstColumn = clockwise ? 0 : width - 1;
        const int columnStep = clockwise ? 1 : -1;
        rows::Split(width, static_cast<long long>(width) * height, [&](int first, int end) {
            TurnRows(sourceRow, width, firstColumn, columnStep, to, first, end);
        });
    }
    bmp = std::move(turned);
}

} // namespace

void RotateBitmap90(TBitmap& bmp) {
    QuarterTurn(bmp, true);
}

void RotateBitmap270(TBitmap& bmp) {
    QuarterTurn(bmp, false);
}

void RotateBitmap180(TBitmap& bmp) {
    rows::Make24Bit(bmp);
    if (bmp.Empty()) return;
    const int width = bmp.Width(), height = bmp.Height();
    std::vector<std::uint8_t> saved(3 * static_cast<std::size_t>(width));
    // Rows y and H - 1 - y trade places, each reversed.
    for (int top = 0, bottom = height - 1; top <= bottom; ++top, --bottom) {
        std::uint8_t* upper = bmp.ScanLine(top);
        std::uint8_t* lower = bmp.ScanLine(bottom);
        std::memcpy(saved.data(), upper, saved.size());
        if (top != bottom) ReversePixels(lower, upper, width);
        ReversePixels(saved.data(), lower, width);
    }
}

void MirrorSymmetrical(TBitmap& bmp) {
    RotateBitmap180(bmp);
}

void FlipHorizontal(TBitmap& bmp) {
    rows::Make24Bit(bmp);
    if (bmp.Empty()) return;
    const int width = bmp.Width();
    const auto row = rows::Writable(bmp);
    rows::Split(bmp.Height(), static_cast<long long>(width) * bmp.Height(),
                [&](int first, int end) {
                    std::vector<std::uint8_t> saved(3 * static_cast<std::size_t>(width));
                    for (int y = first; y < end; ++y) {
                        std::memcpy(saved.data(), row[y], saved.size());
                        ReversePixels(saved.data(), row[y], width);
                    }
                });
}

void FlipVertical(TBitmap& bmp) {
    rows::Make24Bit(bmp);
    const std::size_t bytes = 3 * static_cast<std::size_t>(bmp.Width());
    for (int top = 0, bottom = bmp.Height() - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(bmp.ScanLine(top), bmp.ScanLine(top) + bytes, bmp.ScanLine(bottom));
}

void MirrorHorizontal(TBitmap& bmp) {
    rows::Make24Bit(bmp);
    const int width = bmp.Width(), height = bmp.Height();
    TBitmap result(2 * width, height);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* from = bmp.ScanLine(y);
        std::uint8_t* to = result.ScanLine(y);
        std::memcpy(to, from, 3 * static_cast<std::size_t>(width));
        ReversePixels(from, to + 3 * static_cast<std::size_t>(width), width);
    }
    bmp = std::move(result);
}

void MirrorVertical(TBitmap& bmp) {
    rows::Make24Bit(bmp);
    const int width = bmp.Width(), height = bmp.Height();
    const std::size_t bytes = 3 * static_cast<std::size_t>(width);
    TBitmap result(width, 2 * height);
    for (int y = 0; y < height; ++y) {
        std::memcpy(result.ScanLine(y), bmp.ScanLine(y), bytes);
        std::memcpy(result.ScanLine(2 * height - 1 - y), bmp.ScanLine(y), bytes);
    }
    bmp = std::move(result);
}

void Translate(TBitmap& bmp, int dx, int dy) {
    rows::Make24Bit(bmp);
    const long long width = bmp.Width(), height = bmp.Height();
    // Dest columns [first, end) have a source column x - dx inside the picture.
    const long long first = std::clamp<long long>(dx, 0, width);
    const long long end = std::clamp<long long>(width + dx, 0, width);
    const auto bytes = [](long long pixels) { return static_cast<std::size_t>(3 * pixels); };
    // In place: walk away from the source rows so each is read before it is overwritten.
    const bool upwards = dy > 0;
    for (long long step = 0; step < height; ++step) {
        const long long y = upwards ? height - 1 - step : step;
        const long long sy = y - dy;
        std::uint8_t* row = bmp.ScanLine(static_cast<int>(y));
        if (sy < 0 || sy >= height || first >= end) {
            std::memset(row, 0xFF, bytes(width));
            continue;
        }
        std::memmove(row + bytes(first), bmp.ScanLine(static_cast<int>(sy)) + bytes(first - dx),
                     bytes(end - first));
        std::memset(row, 0xFF, bytes(first));
        std::memset(row + bytes(end), 0xFF, bytes(width - end));
    }
}

namespace {

using Extended = long double;
constexpr Extended kPi = 3.141592653589793238462643383279502884L;

struct TSourceOffset {
    long long dx, dy;
};

// The source offset for the destination offset (i, j) turned by theta: the rounded radius
// r = round(sqrt(i^2 + j^2)) along the angle theta + atan2(j, i) (pi/2 on the axis i = 0),
// each coordinate rounded half to even, all in extended precision.
TSourceOffset ExtendedSourceOffset(Extended theta, int i, int j) {
    const Extended a = i == 0 ? kPi / 2 : std::atan2(static_cast<Extended>(j), i);
    const Extended r =
        std::nearbyint(std::sqrt(static_cast<Extended>(i) * i + static_cast<Extended>(j) * j));
    const Extended t = theta + a;
    return {std::llrint(std::cos(t) * r), std::llrint(std::sin(t) * r)};
}

bool NearHalf(double v, double margin) {
    return std::fabs(v - std::floor(v) - 0.5) <= margin;
}

// The same through double sines, several times faster. The double products stay within
// r * (|theta| + 4) * 2^-50 of the extended ones, so unless one lies that close to a half both
// round alike. (The radius itself is never near a half: sqrt of a whole number is not.)
TSourceOffset SourceOffset(Extended theta, int i, int j) {
    const double r =
        std::nearbyint(std::sqrt(static_cast<double>(i) * i + static_cast<double>(j) * j));
    const double t =
        static_cast<double>(theta) + (i == 0 ? static_cast<double>(kPi / 2) : std::atan2(j, i));
    const double cosine = std::cos(t) * r, sine = std::sin(t) * r;
    const double margin = r * (std::fabs(static_cast<double>(theta)) + 4) * 0x1p-45;
    if (NearHalf(cosine, margin) || NearHalf(sine, margin))
        return ExtendedSourceOffset(theta, i, j);
    return {std::llrint(cosine), std::llrint(sine)};
}

} // namespace

void RotateBitmap(const TBitmap& source, TBitmap& dest, int degrees,
                  const std::function<void()>& afterEachStep) {
    TBitmap src = source;
    rows::Make24Bit(src);
    const int width = src.Width(), height = src.Height();
    const int side = std::max(width, height);
    TBitmap result(side, side); // starts white
    const auto from = rows::Readable(src);
    const auto to = rows::Writable(result);
    // Source pixels outside the picture have no colour and paint black.
    auto put = [&](int x, int y, long long sx, long long sy) {
        std::uint8_t* out = to[y] + 3 * x;
        if (sx < 0 || sy < 0 || sx >= width || sy >= height)
            out[0] = out[1] = out[2] = 0;
        else
            CopyPixel(from[sy] + 3 * sx, out);
    };
    const Extended theta = static_cast<Extended>(degrees) / 180 * kPi;
    const int cx1 = width / 2, cy1 = height / 2, c2 = side / 2;
    const int reach = c2;
    for (int i = 0; i < reach; ++i) {
        for (int j = 0; j < reach; ++j) {
            const auto [dx, dy] = SourceOffset(theta, i, j);
            // The four quarter-turn symmetries of the offset, in this order: where the axes
            // overlap, the later write wins.
            put(c2 + i, c2 + j, cx1 + dx, cy1 + dy);
            put(c2 - i, c2 - j, cx1 - dx, cy1 - dy);
            put(c2 + j, c2 - i, cx1 + dy, cy1 - dx);
            put(c2 - j, c2 + i, cx1 - dy, cy1 + dx);
        }
        if (afterEachStep) afterEachStep();
    }
    dest = std::move(result);
}

} // namespace zorvic
