#include "OneShotEffects.h"

#include "RowAccess.h"

#include <cmath>
#include <cstdint>

namespace zorvic {

namespace {

// White when round(0.3 R + 0.59 G + 0.11 B) > 128, that is when the extended-precision value
// lies above 128.5 (128.5 itself rounds to the even 128). Its error is far below 0.01, so only
// the exact boundary 30 R + 59 G + 11 B = 12850 needs the extended computation itself.
bool IsLight(int r, int g, int b) {
    const int hundredths = 30 * r + 59 * g + 11 * b;
    if (hundredths != 12850) return hundredths > 12850;
    const long double luminance = 0.3L * r + 0.59L * g + 0.11L * b;
    return std::nearbyintl(luminance) > 128;
}

// Grey of a row: (B + G + R) div 3, at most 240. In place the loop reads and writes through one
// pointer, which vectorises; with AVX2 so do the three interleaved channels.
[[gnu::target_clones("avx2", "default")]] void GreyRow(const std::uint8_t* from, std::uint8_t* to,
                                                       int width) {
    const auto grey = [](int blue, int green, int red) {
        return static_cast<std::uint8_t>(IntMin((blue + green + red) / 3, 240));
    };
    if (from == to) {
        for (int x = 0; x < width; ++x, to += 3)
            to[0] = to[1] = to[2] = grey(to[0], to[1], to[2]);
        return;
    }
    for (int x = 0; x < width; ++x, from += 3, to += 3)
        to[0] = to[1] = to[2] = grey(from[0], from[1], from[2]);
}

void Emboss(TBitmap& bmp, TProgress* progress, bool relief) {
    rows::Make24Bit(bmp);
    const int width = bmp.Width(), height = bmp.Height();
    const int sign = relief ? -1 : 1;
    auto grey = [sign](const std::uint8_t* p, const std::uint8_t* n) {
        const int red = ClampByte(sign * (p[2] - n[2]) + 128);
        const int green = ClampByte(sign * (p[1] - n[1]) + 128);
        const int blue = ClampByte(sign * (p[0] - n[0]) + 128);
        return static_cast<std::uint8_t>((red + green + blue) / 3);
    };
    if (progress) progress->SetMax(height - 2);
    for (int y = 0; y + 1 < height; ++y) {
        // Row y + 1 is still unprocessed, so every neighbour keeps its original value.
        std::uint8_t* row = bmp.ScanLine(y);
        const std::uint8_t* below = bmp.ScanLine(y + 1);
        for (int x = 0; x < width; ++x) {
            const int neighbour = x + 1 < width ? x + 1 : x;
            const std::uint8_t v = grey(row + 3 * x, below + 3 * neighbour);
            row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = v;
        }
        if (progress) progress->SetPosition(y);
    }
}

} // namespace

void InvertColors(TBitmap& bmp) {
    const int bytes = 3 * bmp.Width();
    rows::ForEachRow(bmp, nullptr, [bytes](const std::uint8_t* from, std::uint8_t* to) {
        for (int i = 0; i < bytes; ++i)
            to[i] = static_cast<std::uint8_t>(255 - from[i]);
    });
}

void TwoColors(TBitmap& bmp) {
    const int width = bmp.Width();
    rows::ForEachRow(bmp, nullptr, [width](const std::uint8_t* from, std::uint8_t* to) {
        for (int x = 0; x < width; ++x, from += 3, to += 3) {
            const std::uint8_t v = IsLight(from[2], from[1], from[0]) ? 255 : 0;
            to[0] = to[1] = to[2] = v;
        }
    });
}

void Grayscale(TBitmap& bmp) {
    const int width = bmp.Width();
    rows::ForEachRow(bmp, nullptr, [width](const std::uint8_t* from, std::uint8_t* to) {
        GreyRow(from, to, width);
    });
}

void Exposure(TBitmap& bmp, TProgress* progress) {
    const int bytes = 3 * bmp.Width();
    rows::ForEachRow(bmp, progress, [bytes](const std::uint8_t* from, std::uint8_t* to) {
        for (int i = 0; i < bytes; ++i)
            to[i] = static_cast<std::uint8_t>(from[i] < 128 ? 255 - from[i] : from[i]);
    });
}

void Sculpture(TBitmap& bmp, TProgress* progress) {
    Emboss(bmp, progress, false);
}

void Relief(TBitmap& bmp, TProgress* progress) {
    Emboss(bmp, progress, true);
}

} // namespace zorvic
