#pragma once
#include "TBitmap.h"

#include <functional>

namespace zorvic {

// Geometric transforms. All leave 24-bit pictures; x runs right, y down.

// Quarter turn clockwise in place: W x H becomes H x W, new (x, y) = old (y, H - 1 - x).
void RotateBitmap90(TBitmap& bmp);
// Half turn in place: new (x, y) = old (W - 1 - x, H - 1 - y). Also the symmetrical mirror.
void RotateBitmap180(TBitmap& bmp);
// Quarter turn counter-clockwise in place: new (y, W - 1 - x) = old (x, y).
void RotateBitmap270(TBitmap& bmp);

// Any whole number of degrees (positive turns counter-clockwise on screen). Dest becomes a
// white square of side max(W, H); nearest-neighbour samples on a rounded radius fill all but its
// first row and column (and the last ones for an odd side); samples outside the source are
// black. afterEachStep, when given, runs after each of the side/2 outer steps so a GUI can stay
// responsive.
void RotateBitmap(const TBitmap& source, TBitmap& dest, int degrees,
                  const std::function<void()>& afterEachStep = {});

// Left-right and upside-down flips, in place.
void FlipHorizontal(TBitmap& bmp);
void FlipVertical(TBitmap& bmp);

// The picture with its left-right mirror image on its right: 2W x H.
void MirrorHorizontal(TBitmap& bmp);
// The picture with its upside-down reflection underneath: W x 2H.
void MirrorVertical(TBitmap& bmp);
// Left-right and upside-down at once: the same result as the half turn.
void MirrorSymmetrical(TBitmap& bmp);

// Moves the picture dx right and dy down within its own size, in place; uncovered pixels become
// white.
void Translate(TBitmap& bmp, int dx, int dy);

} // namespace zorvic
