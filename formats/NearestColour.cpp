#include "NearestColour.h"

#include <algorithm>
#include <limits>

namespace zorvic {

namespace {

// 16 x 16 x 16 cells of 16 levels a channel.
constexpr int kCellShift = 4;
constexpr int kCellsPerChannel = 256 >> kCellShift;
constexpr int kCellSize = 1 << kCellShift;

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
    : cells_(kCellsPerChannel * kCellsPerChannel * kCellsPerChannel),
      cellBuilt_(cells_.size(), false) {
    for (std::size_t i = 0; i < palette.size(); ++i)
        palette_.push_back({RedOf(palette[i]), GreenOf(palette[i]), BlueOf(palette[i]),
                            static_cast<std::int32_t>(i)});
}

const std::vector<TNearestColourFinder::TEntry>& TNearestColourFinder::CandidatesOf(int cell) {
    std::vector<TEntry>& candidates = cells_[cell];
    if (cellBuilt_[cell]) return candidates;
    cellBuilt_[cell] = true;
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
    for (const TEntry& entry : palette_)
        if (squared(NearestGap(entry.red, redLow)) + squared(NearestGap(entry.green, greenLow)) +
                squared(NearestGap(entry.blue, blueLow)) <=
            bound)
            candidates.push_back(entry);
    return candidates;
}

int TNearestColourFinder::Nearest(int red, int green, int blue) {
    const std::int32_t key = (red << 16) | (green << 8) | blue;
    if (key == lastKey_) return lastIndex_;
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (const TEntry& entry : CandidatesOf(CellOf(red, green, blue))) {
        const int dr = entry.red - red;
        const int dg = entry.green - green;
        const int db = entry.blue - blue;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = entry.index;
        }
    }
    lastKey_ = key;
    lastIndex_ = best;
    return best;
}

} // namespace zorvic
