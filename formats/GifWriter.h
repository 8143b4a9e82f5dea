#pragma once
#include "OutputStream.h"
#include "TBitmap.h"

#include <cstdint>
#include <vector>

namespace zorvic {

// A picture as palette indices, one byte a pixel, top row first.
struct TIndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<TColor> palette;
    std::vector<std::uint8_t> indices;
};

// A 1, 4 or 8-bit picture keeps its palette and indices. Any other is reduced to at most 256
// colours taken from its own colours by octree quantisation and mapped with Floyd-Steinberg error
// diffusion; a picture of 256 colours or fewer comes out exact.
TIndexedPicture IndexedPictureOf(const TBitmap& bitmap);

// One GIF image of the picture's size with a global colour map (padded to a power of two), no
// transparency and no extensions. Throws EZorvicError for an empty picture, a side over 65535
// pixels, or an encoder error.
void WriteGifToStream(TOutputStream& stream, const TBitmap& bitmap);

} // namespace zorvic
