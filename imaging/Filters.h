#pragma once
#include "TBitmap.h"

#include <array>
#include <cstdint>

namespace zorvic {

// In-place neighbourhood filters.

// Size x Size blocks from the top-left corner take the colour of their top-left pixel;
// Size 0 and 1 change nothing (0..64).
void Mosaic(TBitmap& bmp, int size);

// Each channel v becomes v + (v - u) * Amount / 100 (0..200), u being the same channel of the
// already sharpened pixel up and to the left. Row 0 stays; column 0, which has no upper-left
// neighbour, is compared with the pixel straight above.
void Sharpen(TBitmap& bmp, int amount);

// Edge glow: the larger of a vertical and a horizontal 3x3 gradient with weight Amount (-20..20)
// for every pixel but the outermost rows and columns. Pictures under 3x3 only become 24-bit.
void Neon(TBitmap& bmp, int amount);

// The blur button: the mean of the eight neighbours.
inline constexpr std::array<int, 9> kBlurKernel = {2, 2, 2, 2, 0, 2, 2, 2, 2};
inline constexpr std::uint16_t kBlurDivisor = 16;

// Sizes dest like source, 24-bit, with source's picture.
void CopyAs24Bit(TBitmap& dest, const TBitmap& source);

// Convolves a 24-bit picture in place with a 3x3 kernel (rows from the top), dividing each sum
// by Divisor (0 counts as 1) with truncation and clamping to 0..255. The picture wraps around at
// its edges: above row 0 lies the last row, left of column 0 the last column, and so on; the
// four corner neighbours are the picture's own nearest corner pixel.
void Convolve3x3(const std::array<int, 9>& kernel, std::uint16_t divisor, TBitmap& bmp);

} // namespace zorvic
