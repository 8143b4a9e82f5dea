#include "ThickStroke.h"

#include "FigureGeometry.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace zorvic {

namespace {

// The pen's footprint within a clip box of the bitmap, one byte per pixel.
class TFootprint {
public:
    TFootprint(long long left, long long top, long long right, long long bottom)
        : left_(left), top_(top), width_(right - left), height_(bottom - top),
          covered_(static_cast<std::size_t>(std::max<long long>(width_, 0)) *
                       static_cast<std::size_t>(std::max<long long>(height_, 0)),
                   0) {}

    bool Empty() const { return width_ <= 0 || height_ <= 0; }

    void Cover(long long y, TSpan span) {
        if (y < top_ || y >= top_ + height_) return;
        const long long from = std::max(span.Left, left_) - left_;
        const long long to = std::min(span.Right + 1, left_ + width_) - left_;
        if (from < to)
            std::memset(covered_.data() + (y - top_) * width_ + from, 1,
                        static_cast<std::size_t>(to - from));
    }

    void Paint(TBitmap& bitmap, const TInk& ink) const {
        for (long long row = 0; row < height_; ++row) {
            const std::uint8_t* line = covered_.data() + row * width_;
            long long x = 0;
            while (x < width_) {
                while (x < width_ && !line[x])
                    ++x;
                const long long start = x;
                while (x < width_ && line[x])
                    ++x;
                if (start < x)
                    PaintRun(bitmap, static_cast<int>(top_ + row), left_ + start, left_ + x, ink);
            }
        }
    }

    long long Left() const { return left_; }
    long long Top() const { return top_; }
    long long Right() const { return left_ + width_; }
    long long Bottom() const { return top_ + height_; }

private:
    long long left_, top_, width_, height_;
    std::vector<std::uint8_t> covered_;
};

void StampDisc(TFootprint& footprint, long long x, long long y, int width) {
    const long long left = x - width / 2;
    const long long top = y - width / 2;
    const TRoundedBox disc(left, top, left + width, top + width, width, width);
    const long long from = std::max(top, footprint.Top());
    const long long to = std::min(top + width, footprint.Bottom());
    for (long long row = from; row < to; ++row)
        footprint.Cover(row, disc.Row(row));
}

} // namespace

void StrokeThickPolyline(TBitmap& bitmap, std::span<const TPoint> points, int width,
                         const TInk& ink) {
    if (points.empty()) return;
    long long minX = points[0].x, maxX = points[0].x, minY = points[0].y, maxY = points[0].y;
    for (const TPoint& p : points) {
        minX = std::min<long long>(minX, p.x);
        maxX = std::max<long long>(maxX, p.x);
        minY = std::min<long long>(minY, p.y);
        maxY = std::max<long long>(maxY, p.y);
    }
    TFootprint footprint(std::max<long long>(minX - width, 0), std::max<long long>(minY - width, 0),
                         std::min<long long>(maxX + width + 1, bitmap.Width()),
                         std::min<long long>(maxY + width + 1, bitmap.Height()));
    if (footprint.Empty()) return;

    for (std::size_t k = 0; k + 1 < points.size(); ++k) {
        const TLineWalk walk(points[k], points[k + 1]);
        // A segment of no length draws nothing, as a click with the line tool shows.
        if (walk.Count() == 0) continue;
        long long first = 0, last = -1;
        // Only steps whose disc can reach the clip box matter.
        if (walk.MajorIsX())
            walk.StepsWithin(footprint.Left() - width, footprint.Right() + width, first, last);
        else
            walk.StepsWithin(footprint.Top() - width, footprint.Bottom() + width, first, last);
        for (long long i = first; i <= last; ++i)
            StampDisc(footprint, walk.X(i), walk.Y(i), width);
        StampDisc(footprint, points[k + 1].x, points[k + 1].y, width); // the round end cap
    }
    footprint.Paint(bitmap, ink);
}

} // namespace zorvic
