#pragma once
#include "TBitmap.h"

#include <cstdint>
#include <vector>

namespace zorvic {

// Maps a 24 or 32-bit picture onto a palette (1 to 256 entries) with Floyd-Steinberg error
// diffusion, rows scanned in alternating directions. Returns one palette index per pixel, top row
// first. Where every colour of the picture is in the palette no error ever arises, so the mapping
// is exact.
std::vector<std::uint8_t> DitherToPalette(const TBitmap& bitmap,
                                          const std::vector<TColor>& palette);

} // namespace zorvic
