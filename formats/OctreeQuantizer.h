#pragma once
#include "TBitmap.h"

#include <vector>

namespace zorvic {

constexpr int kMaxPaletteColours = 256;

// An optimised palette of at most `maxColours` (1 to 256) colours for a 24 or 32-bit picture, built
// from the picture's own colours by octree quantisation: colours are counted in the leaves of a
// colour octree, and the least used nodes of the deepest level are merged into their parents until
// few enough leaves are left; each leaf gives the mean of its colours. A picture with no more
// distinct colours than `maxColours` merges nothing, so its palette is exactly its colours.
std::vector<TColor> BuildOctreePalette(const TBitmap& bitmap, int maxColours = kMaxPaletteColours);

} // namespace zorvic
