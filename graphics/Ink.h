#pragma once
#include "TBitmap.h"
#include "TCanvas.h"

#include <cstdint>

namespace zorvic {

// A colour under a mix mode, ready to paint. For a fixed colour every mix mode reduces, bit by
// bit, to one of 0, 1, the pixel or NOT the pixel, so each mode is (pixel AND Keep) XOR Flip.
// Bytes are blue, green, red, in the order of a pixel in memory.
struct TInk {
    std::uint8_t Keep[3] = {0, 0, 0};
    std::uint8_t Flip[3] = {0, 0, 0};

    TColor Apply(TColor pixel) const;
    // Painting with it changes nothing.
    bool KeepsPixels() const;
    // It flips bits only (xor, not-xor): painting a pixel twice leaves it as it was.
    bool OnlyFlips() const;
};

TInk MakeInk(TColor color, TPenMode mode);

// Painting primitives. They clip to the bitmap themselves, so callers pass any coordinates.
// A run is the half-open column range [x0, x1) of one row.
void PaintRun(TBitmap& bitmap, int y, long long x0, long long x1, const TInk& ink);
void PaintPixel(TBitmap& bitmap, long long x, long long y, const TInk& ink);
// A brush run: solid brushes paint every pixel, hatches only their pattern's pixels.
void PaintBrushRun(TBitmap& bitmap, int y, long long x0, long long x1, const TInk& ink,
                   TBrushStyle style);

// Whether a hatch pattern covers a bitmap pixel; patterns repeat every 8 pixels from (0, 0).
bool HatchCovers(TBrushStyle style, int x, int y);

} // namespace zorvic
