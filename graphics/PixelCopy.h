#pragma once
#include "TBitmap.h"
#include "TCanvas.h"

namespace zorvic {

// Copies sourceRect of source onto destRect of dest, stretching when the sizes differ:
// ColorOnColor takes for each destination pixel the source pixel at
// offset * sourceSize / destSize (dropping or repeating rows and columns); Halftone averages
// the source pixels a destination pixel covers when shrinking and samples the nearest pixel
// when enlarging. SrcAnd combines destination AND source per channel. Destination pixels
// whose source lies outside the source bitmap stay unchanged; empty or inverted rectangles
// copy nothing. Source and destination may be the same bitmap.
void CopyPixels(TBitmap& dest, const TRect& destRect, const TBitmap& source,
                const TRect& sourceRect, TStretchMode stretch, TCopyMode mode);

// A 1:1 copy of the whole source with its top-left corner at (x, y), leaving out source
// pixels of the transparent colour.
void CopyPixelsTransparent(TBitmap& dest, int x, int y, const TBitmap& source, TColor transparent);

} // namespace zorvic
