#include "NearestColour.h"

#include <cstdlib>
#include <limits>

namespace zorvic {

namespace {

constexpr int kCoarseShift = 4; // cells of 16 levels a channel
constexpr int kFineShift = 3;   // cells of 8
// Fills a list to a whole group; so far from every colour that it is never the nearest.
constexpr std::int16_t kFar = 1000;

// Smallest and largest distance from a value to the range [low, high].
int NearestGap(int value, int low, int high) {
    return value < low ? low - value : value > high ? value - high : 0;
}
int FarthestGap(int value, int low, int high) {
    return std::max(std::abs(value - low), std::abs(value - high));
}
int Squared(int d) {
    return d * d;
}

} // namespace

TNearestColourFinder::TNearestColourFinder(const std::vector<TColor>& palette)
    : coarse_(std::size_t{1} << 3 * (8 - kCoarseShift)),
      fine_(std::size_t{1} << 3 * (8 - kFineShift)) {
    for (std::size_t i = 0; i < palette.size(); ++i)
        candidates_.push_back(Entry(static_cast<std::int16_t>(RedOf(palette[i])),
                                    static_cast<std::int16_t>(GreenOf(palette[i])),
                                    static_cast<std::int16_t>(BlueOf(palette[i])),
                                    static_cast<std::int16_t>(i), 0));
    PadToWholeGroups(0);
    palette_ = {0, static_cast<std::uint32_t>(candidates_.size())};
}

void TNearestColourFinder::PadToWholeGroups(std::size_t first) {
    while ((candidates_.size() - first) % kGroup)
        candidates_.push_back(Entry(kFar, kFar, kFar, 0, std::numeric_limits<std::int32_t>::max()));
}

TNearestColourFinder::TCellList TNearestColourFinder::BuildFine(int fine) {
    constexpr int kFineBits = 8 - kFineShift;
    constexpr int kMask = (1 << kFineBits) - 1;
    const int red = (fine >> 2 * kFineBits) << kFineShift;
    const int green = ((fine >> kFineBits) & kMask) << kFineShift;
    const int blue = (fine & kMask) << kFineShift;
    const int coarse = ((red >> kCoarseShift) << 2 * (8 - kCoarseShift)) |
                       ((green >> kCoarseShift) << (8 - kCoarseShift)) | (blue >> kCoarseShift);
    TCellList& outer = coarse_[coarse];
    if (outer.count == 0) {
        const int low[3] = {red >> kCoarseShift << kCoarseShift,
                            green >> kCoarseShift << kCoarseShift,
                            blue >> kCoarseShift << kCoarseShift};
        outer = Build(low, 1 << kCoarseShift, palette_);
    }
    const int low[3] = {red, green, blue};
    // Whatever can be nearest to a colour of this cell can be in the cell around it.
    return Build(low, 1 << kFineShift, outer);
}

// The entries of `from` that can be nearest to some colour of the cell [low, low + size)^3,
// sorted by their least distance to it: every colour of the cell lies within `bound` of some
// entry, so an entry farther than that from the whole cell is never the nearest.
TNearestColourFinder::TCellList TNearestColourFinder::Build(const int low[3], int size,
                                                            TCellList from) {
    const int high[3] = {low[0] + size - 1, low[1] + size - 1, low[2] + size - 1};
    const std::vector<TEntry> source(candidates_.begin() + from.first,
                                     candidates_.begin() + from.first + from.count);
    int bound = std::numeric_limits<int>::max();
    for (const TEntry& e : source)
        if (e.red != kFar)
            bound = std::min(bound, Squared(FarthestGap(e.red, low[0], high[0])) +
                                        Squared(FarthestGap(e.green, low[1], high[1])) +
                                        Squared(FarthestGap(e.blue, low[2], high[2])));
    const std::size_t first = candidates_.size();
    for (TEntry e : source) {
        if (e.red == kFar) continue;
        e.cellDistance = Squared(NearestGap(e.red, low[0], high[0])) +
                         Squared(NearestGap(e.green, low[1], high[1])) +
                         Squared(NearestGap(e.blue, low[2], high[2]));
        if (e.cellDistance <= bound) candidates_.push_back(e);
    }
    std::sort(candidates_.begin() + static_cast<std::ptrdiff_t>(first), candidates_.end(),
              [](const TEntry& a, const TEntry& b) { return a.cellDistance < b.cellDistance; });
    PadToWholeGroups(first);
    return {static_cast<std::uint32_t>(first),
            static_cast<std::uint32_t>(candidates_.size() - first)};
}

} // namespace zorvic
