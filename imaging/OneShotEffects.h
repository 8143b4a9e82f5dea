#pragma once
#include "PixelHelpers.h"
#include "TBitmap.h"

namespace zorvic {

// Effects without parameters. Each works in place and makes the picture 24-bit first.

// v becomes 255 - v in every channel.
void InvertColors(TBitmap& bmp);

// Black and white by luminance: white when round(0.3 R + 0.59 G + 0.11 B) > 128 (computed in
// extended precision, halves to even), else black. Draws no random numbers; the editor's
// command reseeds the generator itself.
void TwoColors(TBitmap& bmp);

// Grey (R + G + B) div 3, capped at 240.
void Grayscale(TBitmap& bmp);

// Channels below 128 become 255 minus themselves. Progress: SetMax(height - 1), then
// SetPosition(y) after each row.
void Exposure(TBitmap& bmp, TProgress* progress);

// Grey embossing against the pixel one right and one down (the last column uses the pixel
// straight below); the last row stays. Sculpture takes P - N + 128, Relief N - P + 128 per
// channel, clamped, then the mean of the three. Progress: SetMax(height - 2), SetPosition(y).
void Sculpture(TBitmap& bmp, TProgress* progress);
void Relief(TBitmap& bmp, TProgress* progress);

} // namespace zorvic
