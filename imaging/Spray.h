#pragma once
#include "TBitmap.h"
#include "TColor.h"
#include "TPoint.h"

namespace zorvic {

// How far the spray gun's dots reach for a radius: round(Radius * 0.65) in extended precision,
// halves to even. Dots land strictly inside a circle of this radius.
int SprayReach(int radius);

// Reseeds the program-wide generator, then paints up to Radius + 1 dots of the colour at random
// offsets around the point (clipped to the picture).
void SprayAt(TBitmap& bmp, TPoint point, int radius, TColor color);

} // namespace zorvic
