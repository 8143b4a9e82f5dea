#include "NearestColour.h"

#include <algorithm>
#include <limits>

namespace zorvic {

namespace {

// 16 x 16 x 16 cells of 16 levels a channel.
constexpr int kCellShift = 4;
constexpr int kCellsPerChannel = 256 >> kCellShift;
constexpr int kCellSize = 1 << kCellShift;
// Palette indices fit in 8 bits; squared distances (at most 3 * 255 * 255) in the 23 above them.
constexpr int kIndexBits = 8;

int CellOf(int red, int green, int blue) {
    return ((red >> kCellShift) * kCellsPerChannel + (green >> kCellShift)) * kCellsPerChannel +
           (blue >> kCellShift);
}

// Smallest and largest distance from a value to the range [low, low + kCellSize - 1].
int NearestGap(int value, int low) {
    const int high = low + kCellSize - 1;
    return value < low ? low - value : value > high ? value - high : 0;
}
int FarthestGap(int value, int low) {
    return std::max(std::abs(value - low), std::abs(value - (low + kCellSize - 1)));
}

} // namespace

TNearestColourFinder::TNearestColourFinder(const std::vector<TColor>& palette)
    : cells_(kCellsPerChannel * kCellsPerChannel * kCellsPerChannel) {
    for (std::size_t i = 0; i < palette.size(); ++i)
        palette_.push_back({RedOf(palette[i]), GreenOf(palette[i]), BlueOf(palette[i]),
                            static_cast<std::int32_t>(i), 0});
}

const TNearestColourFinder::TCellList& TNearestColourFinder::CandidatesOf(int cell) {
    TCellList& list = cells_[cell];
    if (list.built) return list;
    const int blueLow = (cell % kCellsPerChannel) << kCellShift;
    const int greenLow = (cell / kCellsPerChannel % kCellsPerChannel) << kCellShift;
    const int redLow = (cell / (kCellsPerChannel * kCellsPerChannel)) << kCellShift;
    auto squared = [](int d) { return d * d; };
    // Every colour of the cell lies within `bound` of some entry, so an entry that is farther than
    // that from the whole cell is never the nearest to any of its colours.
    int bound = std::numeric_limits<int>::max();
    for (const TEntry& entry : palette_)
        bound = std::min(bound, squared(FarthestGap(entry.red, redLow)) +
                                    squared(FarthestGap(entry.green, greenLow)) +
                                    squared(FarthestGap(entry.blue, blueLow)));
    const std::size_t first = candidates_.size();
    for (TEntry entry : palette_) {
        entry.cellDistance = squared(NearestGap(entry.red, redLow)) +
                             squared(NearestGap(entry.green, greenLow)) +
                             squared(NearestGap(entry.blue, blueLow));
        if (entry.cellDistance <= bound) candidates_.push_back(entry);
    }
    list.first = static_cast<std::uint32_t>(first);
    list.count = static_cast<std::uint32_t>(candidates_.size() - first);
    list.built = true;
    std::stable_sort(
        candidates_.begin() + first, candidates_.end(),
        [](const TEntry& a, const TEntry& b) { return a.cellDistance < b.cellDistance; });
    return list;
}

int TNearestColourFinder::Search(int red, int green, int blue) {
    // Distance and index in one number, distance in the high bits: the smallest is the nearest
    // entry with the lowest index, found without a branch per entry.
    int best = std::numeric_limits<int>::max();
    const TCellList& list = CandidatesOf(CellOf(red, green, blue));
    const TEntry* end = candidates_.data() + list.first + list.count;
    for (const TEntry* entry = candidates_.data() + list.first; entry != end; ++entry) {
        if (entry->cellDistance << kIndexBits > best) break;
        const int dr = entry->red - red;
        const int dg = entry->green - green;
        const int db = entry->blue - blue;
        best = std::min(best, (dr * dr + dg * dg + db * db) << kIndexBits | entry->index);
    }
    return best & ((1 << kIndexBits) - 1);
}

} // namespace zorvic
