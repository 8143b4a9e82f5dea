#include "FillJournal.h"

#include <algorithm>
#include <cstring>

namespace zorvic {

namespace {

constexpr int kSideBits = 24;
constexpr std::uint64_t kSideMask = (std::uint64_t{1} << kSideBits) - 1;

std::uint64_t Toggle(std::uint64_t group, int y, int x) {
    return group << (2 * kSideBits) | static_cast<std::uint64_t>(y) << kSideBits |
           static_cast<std::uint64_t>(x);
}

} // namespace

void TFillJournal::Note(int y, int x0, int x1, const TInk& ink, TBrushStyle style) {
    if (x0 >= x1) return;
    auto same = [&](const TGroup& group) {
        return group.Style == style &&
               std::memcmp(group.Ink.Flip, ink.Flip, sizeof ink.Flip) == 0 &&
               std::memcmp(group.Ink.Keep, ink.Keep, sizeof ink.Keep) == 0;
    };
    auto found = std::find_if(groups_.begin(), groups_.end(), same);
    if (found == groups_.end()) found = groups_.insert(groups_.end(), TGroup{ink, style});
    const auto group = static_cast<std::uint64_t>(found - groups_.begin());
    toggles_.push_back(Toggle(group, y, x0));
    toggles_.push_back(Toggle(group, y, x1));
}

void TFillJournal::Paint(TBitmap& bitmap) {
    std::sort(toggles_.begin(), toggles_.end());
    // Each row of each group has an even number of toggles; the parity is odd from the first of
    // each pair to the second.
    for (std::size_t i = 0; i + 1 < toggles_.size(); i += 2) {
        const std::uint64_t from = toggles_[i];
        const std::uint64_t to = toggles_[i + 1];
        if (from == to) continue;
        const TGroup& group = groups_[from >> (2 * kSideBits)];
        PaintBrushRun(bitmap, static_cast<int>(from >> kSideBits & kSideMask),
                      static_cast<long long>(from & kSideMask),
                      static_cast<long long>(to & kSideMask), group.Ink, group.Style);
    }
    groups_.clear();
    toggles_.clear();
}

} // namespace zorvic
