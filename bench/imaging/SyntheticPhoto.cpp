#include "SyntheticPhoto.h"

#include <cstdint>

namespace zorvic::bench {

TBitmap MakeSyntheticPhoto(int width, int height) {
    TBitmap photo(width, height, TPixelFormat::pf24bit);
    std::uint32_t state = 2463534242u; // xorshift32: the same noise on every run
    const int cell = 240;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = photo.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            const int noise = static_cast<int>(state & 31) - 16;
            int r = x * 255 / width;
            int g = y * 255 / height;
            int b = (x + y) * 255 / (width + height);
            // A disc in every cell, its colour set by the cell, gives edges in all directions.
            const int cx = x % cell - cell / 2;
            const int cy = y % cell - cell / 2;
            if (cx * cx + cy * cy < (cell / 3) * (cell / 3)) {
                const int index = x / cell + y / cell * 17;
                r = index * 67 % 256;
                g = index * 131 % 256;
                b = index * 29 % 256;
            }
            const auto clamp = [](int v) {
                return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
            };
            row[3 * x] = clamp(b + noise);
            row[3 * x + 1] = clamp(g + noise);
            row[3 * x + 2] = clamp(r + noise);
        }
    }
    return photo;
}

} // namespace zorvic::bench
