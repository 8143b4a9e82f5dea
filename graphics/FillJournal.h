#pragma once
#include "Ink.h"
#include "TBitmap.h"
#include "TCanvas.h"

#include <cstdint>
#include <vector>

namespace zorvic {

// Fills noted instead of painted, then painted together, leaving alone every pixel that an even
// number of them cover. This holds for inks that only flip bits (xor, not-xor), where two
// paints of a pixel cancel: a rubber band that erases its last figure and draws the next one
// then paints where the two differ instead of both whole areas. Everything else painted in
// between must only flip bits as well, as the noted fills are painted after it.
class TFillJournal {
public:
    // A brush run [x0, x1) of row y, clipped to the picture it will be painted on.
    void Note(int y, int x0, int x1, const TInk& ink, TBrushStyle style);
    // Paints what was noted, and forgets it.
    void Paint(TBitmap& bitmap);

    // Pictures whose width or height reaches this are painted directly.
    static constexpr int kLargestSide = 1 << 24;

private:
    struct TGroup {
        TInk Ink;
        TBrushStyle Style;
    };

    std::vector<TGroup> groups_;
    // Where the count of covering runs of one ink and style changes parity: group, row and
    // column packed so that the order of the numbers is that order.
    std::vector<std::uint64_t> toggles_;
};

} // namespace zorvic
