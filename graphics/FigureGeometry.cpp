#include "FigureGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace zorvic {

TRoundedBox::TRoundedBox(long long left, long long top, long long right, long long bottom,
                         long long cornerWidth, long long cornerHeight)
    : left_(std::min(left, right)), top_(std::min(top, bottom)), right_(std::max(left, right)),
      bottom_(std::max(top, bottom)) {
    cornerWidth_ = std::min(std::llabs(cornerWidth), right_ - left_);
    cornerHeight_ = std::min(std::llabs(cornerHeight), bottom_ - top_);
}

long long TRoundedBox::CornerInset(long long rowFromEdge) const {
    if (cornerWidth_ == 0 || rowFromEdge >= (cornerHeight_ + 1) / 2) return 0;
    const double halfWidth = cornerWidth_ / 2.0;
    const double halfHeight = cornerHeight_ / 2.0;
    const double dy = (halfHeight - (rowFromEdge + 0.5)) / halfHeight;
    const double reach = halfWidth * std::sqrt(std::max(0.0, 1.0 - dy * dy));
    const auto inset = static_cast<long long>(std::ceil(halfWidth - 0.5 - reach - 1e-9));
    return std::clamp<long long>(inset, 0, (cornerWidth_ - 1) / 2);
}

TSpan TRoundedBox::Row(long long y) const {
    if (Empty() || y < top_ || y >= bottom_) return {};
    const long long inset = CornerInset(std::min(y - top_, bottom_ - 1 - y));
    return {left_ + inset, right_ - 1 - inset};
}

TSpan InteriorOfRow(const TRoundedBox& figure, long long y) {
    const TSpan row = figure.Row(y);
    const TSpan above = figure.Row(y - 1);
    const TSpan below = figure.Row(y + 1);
    if (row.Empty() || above.Empty() || below.Empty()) return {};
    return {std::max({row.Left + 1, above.Left, below.Left}),
            std::min({row.Right - 1, above.Right, below.Right})};
}

TEdgeRuns EdgeOfRow(const TRoundedBox& figure, long long y) {
    const TSpan row = figure.Row(y);
    const TSpan inside = InteriorOfRow(figure, y);
    if (inside.Empty()) return {row, {}};
    return {{row.Left, inside.Left - 1}, {inside.Right + 1, row.Right}};
}

TLineWalk::TLineWalk(TPoint from, TPoint to) : from_(from) {
    const long long dx = static_cast<long long>(to.x) - from.x;
    const long long dy = static_cast<long long>(to.y) - from.y;
    majorIsX_ = std::llabs(dx) >= std::llabs(dy);
    const long long major = majorIsX_ ? dx : dy;
    const long long minor = majorIsX_ ? dy : dx;
    steps_ = std::llabs(major);
    majorSign_ = major < 0 ? -1 : 1;
    minorSign_ = minor < 0 ? -1 : 1;
    minorDistance_ = std::llabs(minor);
}

long long TLineWalk::Minor(long long i) const {
    // Rounded position on the minor axis, halves away from the start; 128 bits because
    // distances of full int range multiply past 64 bits.
    const __int128 twice = static_cast<__int128>(2) * minorDistance_ * i + steps_;
    return static_cast<long long>(twice / (static_cast<__int128>(2) * steps_)) * minorSign_;
}

long long TLineWalk::X(long long i) const {
    return from_.x + (majorIsX_ ? i * majorSign_ : Minor(i));
}

long long TLineWalk::Y(long long i) const {
    return from_.y + (majorIsX_ ? Minor(i) : i * majorSign_);
}

void TLineWalk::StepsWithin(long long low, long long high, long long& first,
                            long long& last) const {
    const long long start = majorIsX_ ? from_.x : from_.y;
    // Major coordinate of step i is start + i * sign.
    long long a = majorSign_ > 0 ? low - start : start - (high - 1);
    long long b = majorSign_ > 0 ? high - 1 - start : start - low;
    first = std::max<long long>(a, 0);
    last = std::min<long long>(b, steps_ - 1);
}

bool PenPatternPaints(TPenStyle style, long long i) {
    // Dash lengths of the platform's cosmetic pens, alternating on and off.
    static constexpr int dash[] = {18, 6};
    static constexpr int dot[] = {3, 3};
    static constexpr int dashDot[] = {9, 6, 3, 6};
    static constexpr int dashDotDot[] = {9, 3, 3, 3, 3, 3};
    std::span<const int> pattern;
    switch (style) {
    case TPenStyle::psDash:
        pattern = dash;
        break;
    case TPenStyle::psDot:
        pattern = dot;
        break;
    case TPenStyle::psDashDot:
        pattern = dashDot;
        break;
    case TPenStyle::psDashDotDot:
        pattern = dashDotDot;
        break;
    case TPenStyle::psSolid:
        return true;
    case TPenStyle::psClear:
        return false;
    }
    int period = 0;
    for (int length : pattern)
        period += length;
    long long at = i % period;
    for (std::size_t k = 0; k < pattern.size(); ++k) {
        if (at < pattern[k]) return k % 2 == 0;
        at -= pattern[k];
    }
    return false;
}

} // namespace zorvic
