#include "Noise.h"

#include "PixelHelpers.h"
#include "Random.h"
#include "RowAccess.h"

#include <cstdint>

namespace zorvic {

namespace {

// RandomBelow(Amount) - (Amount shr 1), the shift being a logical one on 32 bits.
int NoiseOffset(int amount) {
    return RandomBelow(amount) - static_cast<int>(static_cast<std::uint32_t>(amount) >> 1);
}

std::uint8_t Offset(std::uint8_t channel, int offset) {
    return static_cast<std::uint8_t>(ClampByte(channel + offset));
}

} // namespace

void MonoNoise(TBitmap& bmp, int amount) {
    rows::Make24Bit(bmp);
    for (int y = 0; y < bmp.Height(); ++y) {
        std::uint8_t* p = bmp.ScanLine(y);
        for (int x = 0; x < bmp.Width(); ++x, p += 3) {
            const int r = NoiseOffset(amount);
            p[0] = Offset(p[0], r);
            p[1] = Offset(p[1], r);
            p[2] = Offset(p[2], r);
        }
    }
}

void ColorNoise(TBitmap& bmp, int amount) {
    rows::Make24Bit(bmp);
    for (int y = 0; y < bmp.Height(); ++y) {
        std::uint8_t* p = bmp.ScanLine(y);
        for (int x = 0; x < bmp.Width(); ++x, p += 3) {
            for (int channel = 0; channel < 3; ++channel)
                p[channel] = Offset(p[channel], NoiseOffset(amount));
        }
    }
}

void Splash(TBitmap& bmp, int amount) {
    rows::Make24Bit(bmp);
    const int width = bmp.Width(), height = bmp.Height();
    const auto row = rows::Writable(bmp);
    // Column by column, as the single-pixel form visits them: the in-place result depends on it.
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            const int k = RandomBelow(amount);
            const int sx = x + k - RandomBelow(2 * k);
            const int sy = y + k - RandomBelow(2 * k);
            if (sx < 0 || sx >= width || sy < 0 || sy >= height) continue;
            const std::uint8_t* from = row[sy] + 3 * sx;
            std::uint8_t* to = row[y] + 3 * x;
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
        }
    }
}

} // namespace zorvic
