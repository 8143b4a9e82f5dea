#include "FloydSteinberg.h"

#include "NearestColour.h"

#include <algorithm>
#include <utility>

namespace zorvic {

namespace {

int ClampChannel(int value) {
    return std::clamp(value, 0, 255);
}

template <int BytesPerPixel>
void Dither(const TBitmap& bitmap, const std::vector<TColor>& palette, std::uint8_t* indices) {
    const int width = bitmap.Width();
    TNearestColourFinder finder(palette);
    // Errors in sixteenths, three channels a pixel, with a spare pixel at either end so the
    // neighbours of the edge pixels need no test.
    std::vector<int> current(3 * static_cast<std::size_t>(width + 2), 0);
    std::vector<int> next(current.size(), 0);
    for (int y = 0; y < bitmap.Height(); ++y) {
        const std::uint8_t* row = bitmap.ScanLine(y);
        std::uint8_t* out = indices + static_cast<std::size_t>(y) * width;
        const bool leftToRight = y % 2 == 0;
        const int step = leftToRight ? 1 : -1;
        std::fill(next.begin(), next.end(), 0);
        for (int i = 0; i < width; ++i) {
            const int x = leftToRight ? i : width - 1 - i;
            const std::uint8_t* pixel = row + BytesPerPixel * x;
            int* error = &current[3 * (x + 1)];
            const int red = ClampChannel(pixel[2] + ((error[0] + 8) >> 4));
            const int green = ClampChannel(pixel[1] + ((error[1] + 8) >> 4));
            const int blue = ClampChannel(pixel[0] + ((error[2] + 8) >> 4));
            const int index = finder.Nearest(red, green, blue);
            out[x] = static_cast<std::uint8_t>(index);
            const TColor chosen = palette[index];
            const int residual[3] = {red - RedOf(chosen), green - GreenOf(chosen),
                                     blue - BlueOf(chosen)};
            int* ahead = error + 3 * step;
            int* below = &next[3 * (x + 1)];
            for (int c = 0; c < 3; ++c) {
                ahead[c] += 7 * residual[c];
                below[c - 3 * step] += 3 * residual[c];
                below[c] += 5 * residual[c];
                below[c + 3 * step] += residual[c];
            }
        }
        std::swap(current, next);
    }
}

} // namespace

std::vector<std::uint8_t> DitherToPalette(const TBitmap& bitmap,
                                          const std::vector<TColor>& palette) {
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(bitmap.Width()) * bitmap.Height());
    if (bitmap.PixelFormat() == TPixelFormat::pf32bit)
        Dither<4>(bitmap, palette, indices.data());
    else
        Dither<3>(bitmap, palette, indices.data());
    return indices;
}

} // namespace zorvic
