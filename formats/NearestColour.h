#pragma once
#include "TColor.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace zorvic {

// The nearest palette entry to a colour by squared RGB distance, the lowest index among equals.
// The colour cube is cut into cells; each cell keeps the entries that can be nearest to some colour
// inside it (built when first asked), so a search looks at a few entries instead of all of them
// and still gives the same answer as a full search. Cells of 8 levels a channel take their entries
// from the cell of 16 levels around them; their lists are mostly a handful long, and are searched
// four entries at a time without a branch per entry. Error diffusion asks for one colour after
// another, each depending on the answer before, so what counts is how soon an answer comes.
class TNearestColourFinder {
public:
    explicit TNearestColourFinder(const std::vector<TColor>& palette);

    struct TChoice {
        int index, red, green, blue;
    };
    TChoice Nearest(int red, int green, int blue) {
        const int fine = ((red >> 3) << 10) | ((green >> 3) << 5) | (blue >> 3);
        TCellList list = fine_[fine];
        if (list.count == 0) list = fine_[fine] = BuildFine(fine);
        const TEntry* group = candidates_.data() + list.first;
        std::uint64_t best = GroupBest(group, red, green, blue);
        // Further groups while they may hold an entry as near as the best so far.
        for (std::uint32_t left = list.count - kGroup;
             left > 0 && static_cast<std::uint64_t>(group[kGroup].cellDistance) <= best >> 32;
             left -= kGroup) {
            group += kGroup;
            best = std::min(best, GroupBest(group, red, green, blue));
        }
        return {static_cast<int>(best >> 24 & 0xFF), static_cast<int>(best >> 16 & 0xFF),
                static_cast<int>(best >> 8 & 0xFF), static_cast<int>(best & 0xFF)};
    }

private:
    static constexpr std::uint32_t kGroup = 4;
    struct TEntry {
        std::int16_t red, green, blue, index;
        // Within a cell's list: the least squared distance from the entry to any colour of the
        // cell. The lists are sorted by it, so a search stops at a group that starts farther.
        std::int32_t cellDistance;
        // Index and colour as the low half of a search's answer.
        std::uint32_t tag;
    };
    static TEntry Entry(std::int16_t red, std::int16_t green, std::int16_t blue, std::int16_t index,
                        std::int32_t cellDistance) {
        return {red,
                green,
                blue,
                index,
                cellDistance,
                static_cast<std::uint32_t>(index) << 24 | static_cast<std::uint32_t>(red) << 16 |
                    static_cast<std::uint32_t>(green) << 8 | static_cast<std::uint32_t>(blue)};
    }
    struct TCellList {
        std::uint32_t first = 0;
        std::uint32_t count = 0; // a whole number of groups; 0: not built yet
    };

    // The nearest of four entries as squared distance, index and colour in one number, in that
    // order of significance: the least number is the nearest, the lowest index among equals.
    static std::uint64_t GroupBest(const TEntry* entries, int red, int green, int blue) {
        std::uint64_t best[kGroup];
        for (std::uint32_t i = 0; i < kGroup; ++i) {
            const TEntry& e = entries[i];
            const int dr = e.red - red, dg = e.green - green, db = e.blue - blue;
            best[i] = static_cast<std::uint64_t>(dr * dr + dg * dg + db * db) << 32 | e.tag;
        }
        return std::min(std::min(best[0], best[1]), std::min(best[2], best[3]));
    }
    // Fills the list that starts at `first` up to a whole group with entries never nearest.
    void PadToWholeGroups(std::size_t first);
    TCellList BuildFine(int fine);
    TCellList Build(const int low[3], int size, TCellList from);

    // The palette, padded to whole groups, then the lists of all cells built so far.
    std::vector<TEntry> candidates_;
    TCellList palette_;
    std::vector<TCellList> coarse_;
    std::vector<TCellList> fine_;
};

} // namespace zorvic
