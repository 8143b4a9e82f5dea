#pragma once
#include "TBitmap.h"

#include <cstdint>
#include <optional>

namespace zorvic {

// Swirl around the centre with bilinear sampling: a pixel at distance r takes its colour from
// the point at the same distance turned by pi/2 - r/Amount radians. Dst is sized and made 24-bit
// like src. Amount 0 copies src unchanged. Returns the milliseconds the pixel work took.
std::int64_t Twist(const TBitmap& src, TBitmap& dst, int amount);

// Shifts each row sideways by Amplitude * sin(y / YDivisor) and each column by
// Amplitude * sin(x / XDivisor), wrapping at the picture's edges. The editor's settings are in
// EffectSettings.h.
// Returns the milliseconds from after the working copies to the installed result, or nothing
// (and leaves the picture alone) when a divisor is 0.
std::optional<std::int64_t> Wave(TBitmap& picture, int xDivisor, int yDivisor, int amplitude);

// Perspective squeeze: dst becomes max(TopWidth, BottomWidth) wide, src's height, black, with
// each source row stretched (averaging) to a centred width growing from TopWidth at the top
// towards BottomWidth.
void FarView(const TBitmap& src, TBitmap& dst, int topWidth, int bottomWidth);

} // namespace zorvic
