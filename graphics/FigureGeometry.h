#pragma once
#include "TCanvas.h"

#include <cstdint>
#include <span>

namespace zorvic {

// Geometry of the figures in 64-bit pixel coordinates, so that extreme int arguments neither
// overflow nor need clipping before the figure's shape is known.

// An inclusive column range of one row; empty when Left > Right.
struct TSpan {
    long long Left = 0;
    long long Right = -1;
    bool Empty() const { return Left > Right; }
};

// The pixels of the box [left, right) x [top, bottom) whose corners are cut by quarters of a
// cornerWidth x cornerHeight ellipse (clamped to the box). Corners of 0 give a rectangle,
// corners the size of the box give its inscribed ellipse. A pixel belongs to the figure when
// its centre lies inside; every row and column of the box keeps at least its middle pixels, so
// the figure always touches all four sides of its box.
class TRoundedBox {
public:
    TRoundedBox(long long left, long long top, long long right, long long bottom,
                long long cornerWidth, long long cornerHeight);

    TSpan Row(long long y) const;
    long long Left() const { return left_; }
    long long Right() const { return right_; }
    long long Top() const { return top_; }
    long long Bottom() const { return bottom_; }
    bool Empty() const { return left_ >= right_ || top_ >= bottom_; }

private:
    long long CornerInset(long long rowFromEdge) const;

    long long left_, top_, right_, bottom_;
    long long cornerWidth_, cornerHeight_;
};

// Pixels of row y of a figure that lie on its edge: the row's ends and every pixel whose
// upper or lower neighbour is outside. Gives up to two runs (left and right part).
struct TEdgeRuns {
    TSpan First;
    TSpan Second;
};
TEdgeRuns EdgeOfRow(const TRoundedBox& figure, long long y);
// The inside of row y that is not edge.
TSpan InteriorOfRow(const TRoundedBox& figure, long long y);

// A line as the pixels of a Bresenham walk from `from` towards `to`; point i lies i steps along
// the major axis. Count() leaves out the final point, as the platform's lines do.
class TLineWalk {
public:
    TLineWalk(TPoint from, TPoint to);
    long long Count() const { return steps_; }
    long long X(long long i) const;
    long long Y(long long i) const;
    // The steps whose major-axis coordinate lies in [low, high), for clipping long lines.
    void StepsWithin(long long low, long long high, long long& first, long long& last) const;
    bool MajorIsX() const { return majorIsX_; }

private:
    long long Minor(long long i) const;

    TPoint from_;
    bool majorIsX_;
    long long steps_;
    long long majorSign_, minorSign_, minorDistance_;
};

// The on/off dash pattern of a one-pixel pen: whether the pen paints at position i along
// its path. Solid pens paint everywhere.
bool PenPatternPaints(TPenStyle style, long long i);

} // namespace zorvic
