#include "FloydSteinberg.h"

#include <algorithm>
#include <utility>

namespace zorvic {

namespace {

int ClampChannel(int value) {
    return std::clamp(value, 0, 255);
}

} // namespace

TFloydSteinberg::TFloydSteinberg(const TBitmap& bitmap, const std::vector<TColor>& palette)
    : bitmap_(bitmap), finder_(palette), current_(static_cast<std::size_t>(bitmap.Width()) + 2),
      next_(current_.size()) {}

void TFloydSteinberg::MapNextRow(std::uint8_t* indices) {
    if (bitmap_.PixelFormat() == TPixelFormat::pf32bit)
        MapRow<4>(indices);
    else
        MapRow<3>(indices);
    std::swap(current_, next_);
    ++row_;
}

// Each pixel's error goes 7/16 ahead, 3/16 below behind, 5/16 below and 1/16 below ahead. The
// shares for the next row are summed in running values, so each pixel reads one error of its own
// row and stores one of the next.
template <int BytesPerPixel> void TFloydSteinberg::MapRow(std::uint8_t* __restrict indices) {
    const int width = bitmap_.Width();
    const std::uint8_t* row = bitmap_.ScanLine(row_);
    const bool leftToRight = row_ % 2 == 0;
    const int step = leftToRight ? 1 : -1;
    // Locals, not members, and indices that nothing else reaches: byte stores that could alias
    // them would force reloads into the chain from one pixel to the next.
    const TRgb* current = current_.data();
    TRgb* next = next_.data();
    TNearestColourFinder& finder = finder_;
    TRgb ahead, belowBehind, below;
    // Flat areas ask for the same colour many times in a row.
    std::uint32_t lastKey = 0xFFFFFFFF;
    TNearestColourFinder::TChoice chosen{};
    for (int i = 0; i < width; ++i) {
        const int x = leftToRight ? i : width - 1 - i;
        const std::uint8_t* pixel = row + BytesPerPixel * x;
        const TRgb error = current[x + 1] + ahead;
        const int red = ClampChannel(pixel[2] + ((error.red + 8) >> 4));
        const int green = ClampChannel(pixel[1] + ((error.green + 8) >> 4));
        const int blue = ClampChannel(pixel[0] + ((error.blue + 8) >> 4));
        const auto key = static_cast<std::uint32_t>((red << 16) | (green << 8) | blue);
        if (key != lastKey) {
            chosen = finder.Nearest(red, green, blue);
            lastKey = key;
        }
        indices[x] = static_cast<std::uint8_t>(chosen.index);
        const TRgb residual{red - chosen.red, green - chosen.green, blue - chosen.blue};
        ahead = residual * 7;
        next[x + 1 - step] = belowBehind + residual * 3;
        belowBehind = below + residual * 5;
        below = residual;
    }
    next[(leftToRight ? width - 1 : 0) + 1] = belowBehind;
}

} // namespace zorvic
