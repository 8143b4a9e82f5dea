#pragma once
#include "TColor.h"

#include <cstdint>
#include <vector>

namespace zorvic {

// The nearest palette entry to a colour by squared RGB distance, the lowest index among equals.
// The colour cube is cut into cells; each cell keeps the entries that can be nearest to some colour
// inside it (built when first asked), so a search looks at a few entries instead of all of them
// and still gives the same answer as a full search. Answers are also remembered by colour.
class TNearestColourFinder {
public:
    explicit TNearestColourFinder(const std::vector<TColor>& palette);
    int Nearest(int red, int green, int blue) {
        // Flat areas ask for the same colour many times in a row, smooth ones for a few colours
        // again and again: answers are remembered by colour.
        const std::uint32_t key = static_cast<std::uint32_t>((red << 16) | (green << 8) | blue);
        if (key == lastKey_) return lastIndex_;
        const std::uint32_t slot = (key * 2654435761u) >> (32 - kMemoBits);
        if (memoKeys_[slot] != key) {
            memoKeys_[slot] = key;
            memoIndices_[slot] = static_cast<std::uint8_t>(Search(red, green, blue));
        }
        lastKey_ = key;
        lastIndex_ = memoIndices_[slot];
        return lastIndex_;
    }

private:
    struct TEntry {
        std::int32_t red, green, blue, index;
        // Within a cell's list: the least squared distance from the entry to any colour of the
        // cell. The lists are sorted by it, so a search stops at the first entry that is farther.
        std::int32_t cellDistance;
    };
    struct TCellList {
        std::uint32_t first = 0;
        std::uint32_t count = 0;
        bool built = false;
    };
    const TCellList& CandidatesOf(int cell);
    int Search(int red, int green, int blue);

    std::vector<TEntry> palette_;
    std::vector<TCellList> cells_;
    // The lists of all cells built so far, one after another.
    std::vector<TEntry> candidates_;
    static constexpr int kMemoBits = 16;
    static constexpr std::uint32_t kNoColour = 0xFFFFFFFF;
    std::vector<std::uint32_t> memoKeys_ = std::vector<std::uint32_t>(1 << kMemoBits, kNoColour);
    std::vector<std::uint8_t> memoIndices_ = std::vector<std::uint8_t>(1 << kMemoBits, 0);
    std::uint32_t lastKey_ = kNoColour;
    int lastIndex_ = 0;
};

} // namespace zorvic
