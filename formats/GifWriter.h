#pragma once
#include "OutputStream.h"
#include "TBitmap.h"

namespace zorvic {

// One GIF image of the picture's size with a global colour map (padded to a power of two), no
// transparency and no extensions. A 1, 4 or 8-bit picture keeps its palette and indices. Any other
// is reduced to at most 256 colours taken from its own colours by octree quantisation and mapped
// with Floyd-Steinberg error diffusion; a picture of 256 colours or fewer comes out exact. Throws
// EZorvicError for an empty picture, a side over 65535 pixels, or an encoder error.
void WriteGifToStream(TOutputStream& stream, const TBitmap& bitmap);

} // namespace zorvic
