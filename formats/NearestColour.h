#pragma once
#include "TColor.h"

#include <cstdint>
#include <vector>

namespace zorvic {

// The nearest palette entry to a colour by squared RGB distance, the lowest index among equals.
// The colour cube is cut into cells; each cell keeps the entries that can be nearest to some colour
// inside it (built when first asked), so a search looks at a few entries instead of all of them
// and still gives the same answer as a full search.
class TNearestColourFinder {
public:
    explicit TNearestColourFinder(const std::vector<TColor>& palette);
    int Nearest(int red, int green, int blue);

private:
    struct TEntry {
        std::int32_t red, green, blue, index;
    };
    const std::vector<TEntry>& CandidatesOf(int cell);

    std::vector<TEntry> palette_;
    std::vector<std::vector<TEntry>> cells_;
    std::vector<bool> cellBuilt_;
    // Flat areas ask for the same colour many times in a row.
    std::int32_t lastKey_ = -1;
    int lastIndex_ = 0;
};

} // namespace zorvic
