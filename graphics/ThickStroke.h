#pragma once
#include "Ink.h"

#include <span>

namespace zorvic {

// Strokes connected segments with a round pen `width` pixels across, end points included;
// segments of no length draw nothing.
// The pen's footprint is gathered first and painted once, so overlaps between segments and at
// joints do not mix twice (which would cancel in xor mode).
void StrokeThickPolyline(TBitmap& bitmap, std::span<const TPoint> points, int width,
                         const TInk& ink);

} // namespace zorvic
