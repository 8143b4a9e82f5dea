#include "TCanvas.h"

#include "FigureGeometry.h"
#include "FillJournal.h"
#include "Ink.h"
#include "PixelCopy.h"
#include "TBitmap.h"
#include "ThickStroke.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace zorvic {

namespace {

TTextRasterizer& RegisteredRasterizer() {
    static TTextRasterizer rasterizer;
    return rasterizer;
}

// Wider pens would only cost time: a pen this wide already covers any real picture.
constexpr int kWidestPen = 4096;

TColor BlendByCoverage(TColor under, TColor over, int coverage) {
    const auto mix = [coverage](int a, int b) {
        return (a * (255 - coverage) + b * coverage + 127) / 255;
    };
    return MakeColor(mix(RedOf(under), RedOf(over)), mix(GreenOf(under), GreenOf(over)),
                     mix(BlueOf(under), BlueOf(over)));
}

} // namespace

TTextRasterizerOverride::TTextRasterizerOverride(TTextRasterizer rasterizer)
    : TScopedOverride(RegisteredRasterizer(), std::move(rasterizer)) {}

// What a figure paints with, worked out once per call from the canvas's pen and brush.
struct TCanvas::TTools {
    TInk Pen;
    TInk Brush;
    int Width;
    TPenStyle Style;
    TBrushStyle BrushStyle;
    // Gaps of a dashed one-pixel pen show the brush colour when the brush is solid.
    bool OpaqueGaps;

    explicit TTools(const TCanvas& canvas)
        : Pen(MakeInk(canvas.Pen.Color, canvas.Pen.Mode)),
          Brush(MakeInk(canvas.Brush.Color, canvas.Pen.Mode)), Width(std::max(canvas.Pen.Width, 1)),
          Style(canvas.Pen.Style), BrushStyle(canvas.Brush.Style),
          OpaqueGaps(canvas.Brush.Style == TBrushStyle::bsSolid) {
        Width = std::min(Width, kWidestPen);
        // Dash patterns belong to one-pixel pens; wider pens draw them solid.
        if (Width > 1 && Style != TPenStyle::psClear) Style = TPenStyle::psSolid;
    }
};

TColor TCanvas::GetPixel(int x, int y) const {
    return bitmap_->GetPixel(x, y);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    bitmap_->SetPixel(x, y, color);
}

void TCanvas::MoveTo(int x, int y) {
    penPos_ = {x, y};
}

void TCanvas::LineTo(int x, int y) {
    const TPoint points[] = {penPos_, {x, y}};
    penPos_ = {x, y};
    StrokePolyline(points);
}

// Like the platform's, a polyline neither uses nor moves the pen position.
void TCanvas::Polyline(std::span<const TPoint> points) {
    StrokePolyline(points);
}

void TCanvas::StrokePolyline(std::span<const TPoint> points) {
    const TTools tools(*this);
    if (tools.Style == TPenStyle::psClear) return;
    if (tools.Width > 1) {
        StrokeThickPolyline(*bitmap_, points, tools.Width, tools.Pen);
        return;
    }
    // The dash pattern runs on from one segment to the next.
    long long phase = 0;
    for (std::size_t k = 0; k + 1 < points.size(); ++k) {
        const TLineWalk walk(points[k], points[k + 1]);
        long long first = 0, last = -1;
        walk.StepsWithin(0, walk.MajorIsX() ? bitmap_->Width() : bitmap_->Height(), first, last);
        for (long long i = first; i <= last; ++i) {
            if (PenPatternPaints(tools.Style, phase + i))
                PaintPixel(*bitmap_, walk.X(i), walk.Y(i), tools.Pen);
            else if (tools.OpaqueGaps)
                PaintPixel(*bitmap_, walk.X(i), walk.Y(i), tools.Brush);
        }
        phase += walk.Count();
    }
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    DrawRoundedFigure(x1, y1, x2, y2, 0, 0);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    DrawRoundedFigure(x1, y1, x2, y2, std::llabs(static_cast<long long>(x2) - x1),
                      std::llabs(static_cast<long long>(y2) - y1));
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) {
    DrawRoundedFigure(x1, y1, x2, y2, std::llabs(static_cast<long long>(cornerWidth)),
                      std::llabs(static_cast<long long>(cornerHeight)));
}

void TCanvas::DrawRoundedFigure(long long x1, long long y1, long long x2, long long y2,
                                long long cornerWidth, long long cornerHeight) {
    const long long left = std::min(x1, x2), right = std::max(x1, x2);
    const long long top = std::min(y1, y2), bottom = std::max(y1, y2);
    if (left == right || top == bottom) return;
    const TTools tools(*this);
    const TRoundedBox figure(left, top, right, bottom, cornerWidth, cornerHeight);
    if (tools.Style == TPenStyle::psClear) {
        // Without an outline the brush covers the whole figure.
        for (long long y = VisibleTop(figure); y < VisibleBottom(figure); ++y)
            PaintBrushSpan(y, figure.Row(y), tools);
    } else if (tools.Width > 1) {
        DrawThickOutlineFigure(left, top, right, bottom, cornerWidth, cornerHeight, tools);
    } else if (tools.Style == TPenStyle::psSolid) {
        for (long long y = VisibleTop(figure); y < VisibleBottom(figure); ++y) {
            const TEdgeRuns edge = EdgeOfRow(figure, y);
            PaintPenSpan(y, edge.First, tools.Pen);
            PaintPenSpan(y, edge.Second, tools.Pen);
            PaintBrushSpan(y, InteriorOfRow(figure, y), tools);
        }
    } else {
        DrawDashedOutlineFigure(figure, tools);
    }
}

// A wide pen is centred on the figure's one-pixel outline: the outline band lies between the
// figure grown and shrunk by the pen's half widths.
void TCanvas::DrawThickOutlineFigure(long long left, long long top, long long right,
                                     long long bottom, long long cornerWidth,
                                     long long cornerHeight, const TTools& tools) {
    const long long before = tools.Width / 2;
    const long long after = tools.Width - 1 - before;
    const long long cornerGrowth = tools.Width - 1;
    const TRoundedBox outer(left - before, top - before, right + after, bottom + after,
                            cornerWidth ? cornerWidth + cornerGrowth : 0,
                            cornerHeight ? cornerHeight + cornerGrowth : 0);
    const TRoundedBox inner(left + after + 1, top + after + 1, right - 1 - before,
                            bottom - 1 - before, std::max(cornerWidth - cornerGrowth, 0LL),
                            std::max(cornerHeight - cornerGrowth, 0LL));
    for (long long y = VisibleTop(outer); y < VisibleBottom(outer); ++y) {
        const TSpan band = outer.Row(y);
        const TSpan hole = inner.Row(y);
        if (hole.Empty()) {
            PaintPenSpan(y, band, tools.Pen);
            continue;
        }
        PaintPenSpan(y, {band.Left, std::min(hole.Left - 1, band.Right)}, tools.Pen);
        PaintBrushSpan(y, hole, tools);
        PaintPenSpan(y, {std::max(hole.Right + 1, band.Left), band.Right}, tools.Pen);
    }
}

// A dashed outline follows the figure around its centre, so the pattern runs along the edge.
void TCanvas::DrawDashedOutlineFigure(const TRoundedBox& figure, const TTools& tools) {
    struct TEdgePixel {
        long long X, Y;
        double Angle;
    };
    std::vector<TEdgePixel> edge;
    const double centreX = (figure.Left() + figure.Right()) / 2.0;
    const double centreY = (figure.Top() + figure.Bottom()) / 2.0;
    for (long long y = VisibleTop(figure); y < VisibleBottom(figure); ++y) {
        const TEdgeRuns runs = EdgeOfRow(figure, y);
        for (const TSpan& run : {runs.First, runs.Second})
            for (long long x = std::max(run.Left, 0LL);
                 x <= std::min(run.Right, bitmap_->Width() - 1LL); ++x)
                edge.push_back({x, y, std::atan2(y + 0.5 - centreY, x + 0.5 - centreX)});
        PaintBrushSpan(y, InteriorOfRow(figure, y), tools);
    }
    std::stable_sort(edge.begin(), edge.end(),
                     [](const TEdgePixel& a, const TEdgePixel& b) { return a.Angle < b.Angle; });
    for (std::size_t i = 0; i < edge.size(); ++i) {
        if (PenPatternPaints(tools.Style, static_cast<long long>(i)))
            PaintPixel(*bitmap_, edge[i].X, edge[i].Y, tools.Pen);
        else if (tools.OpaqueGaps)
            PaintPixel(*bitmap_, edge[i].X, edge[i].Y, tools.Brush);
    }
}

long long TCanvas::VisibleTop(const TRoundedBox& figure) const {
    return std::max(figure.Top(), 0LL);
}

long long TCanvas::VisibleBottom(const TRoundedBox& figure) const {
    return std::min(figure.Bottom(), static_cast<long long>(bitmap_->Height()));
}

void TCanvas::PaintPenSpan(long long y, const TSpan& span, const TInk& ink) {
    if (!span.Empty()) PaintRun(*bitmap_, static_cast<int>(y), span.Left, span.Right + 1, ink);
}

void TCanvas::PaintBrushSpan(long long y, const TSpan& span, const TTools& tools) {
    if (span.Empty()) return;
    if (FillJournal && tools.Brush.OnlyFlips() &&
        std::max(bitmap_->Width(), bitmap_->Height()) < TFillJournal::kLargestSide) {
        // What no pixel shows is not noted: clipping keeps every pixel's count of covers.
        if (tools.Brush.KeepsPixels() || tools.BrushStyle == TBrushStyle::bsClear || y < 0 ||
            y >= bitmap_->Height())
            return;
        const long long left = std::max(span.Left, 0LL);
        const long long right = std::min(span.Right + 1, static_cast<long long>(bitmap_->Width()));
        if (left < right)
            FillJournal->Note(static_cast<int>(y), static_cast<int>(left), static_cast<int>(right),
                              tools.Brush, tools.BrushStyle);
        return;
    }
    PaintBrushRun(*bitmap_, static_cast<int>(y), span.Left, span.Right + 1, tools.Brush,
                  tools.BrushStyle);
}

void TCanvas::FillRect(const TRect& rect) {
    // A fill is a plain copy of the brush, whatever the pen's mix mode.
    const TInk ink = MakeInk(Brush.Color, TPenMode::pmCopy);
    const long long top = std::max(std::min(rect.Top, rect.Bottom), 0);
    const long long bottom = std::min(std::max(rect.Top, rect.Bottom), bitmap_->Height());
    const long long left = std::min(rect.Left, rect.Right);
    const long long right = std::max(rect.Left, rect.Right);
    for (long long y = top; y < bottom; ++y)
        PaintBrushRun(*bitmap_, static_cast<int>(y), left, right, ink, Brush.Style);
}

void TCanvas::TextOut(int x, int y, const std::string& utf8) {
    const TTextRasterizer& rasterizer = RegisteredRasterizer();
    if (utf8.empty() || !rasterizer) return;
    const TTextMask mask = rasterizer(utf8, Font);
    const std::size_t needed = static_cast<std::size_t>(std::max(mask.Width, 0)) *
                               static_cast<std::size_t>(std::max(mask.Height, 0));
    if (mask.Coverage.size() < needed) return;
    if (Brush.Style == TBrushStyle::bsSolid) {
        const TInk cell = MakeInk(Brush.Color, TPenMode::pmCopy);
        for (int row = 0; row < mask.Height; ++row)
            PaintRun(*bitmap_, y + row, x, static_cast<long long>(x) + mask.Width, cell);
    }
    for (int row = 0; row < mask.Height; ++row)
        for (int column = 0; column < mask.Width; ++column) {
            const int coverage = mask.Coverage[static_cast<std::size_t>(row) * mask.Width + column];
            const TColor under = bitmap_->GetPixel(x + column, y + row);
            if (coverage == 0 || under == TBitmap::kInvalidColor) continue;
            bitmap_->SetPixel(x + column, y + row, BlendByCoverage(under, Font.Color, coverage));
        }
    penPos_ = {x + mask.Width, y};
}

TPoint TCanvas::TextExtent(const std::string& utf8) const {
    const TTextRasterizer& rasterizer = RegisteredRasterizer();
    if (!rasterizer) return {};
    const TTextMask mask = rasterizer(utf8, Font);
    return {mask.Width, mask.Height};
}

void TCanvas::CopyRect(const TRect& dest, const TBitmap& source, const TRect& sourceRect) {
    CopyPixels(*bitmap_, dest, source, sourceRect, StretchMode, CopyMode);
}

void TCanvas::Draw(int x, int y, const TBitmap& source) {
    CopyRect({x, y, x + source.Width(), y + source.Height()}, source,
             {0, 0, source.Width(), source.Height()});
}

void TCanvas::DrawTransparent(int x, int y, const TBitmap& source, TColor transparent) {
    CopyPixelsTransparent(*bitmap_, x, y, source, transparent);
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& source) {
    CopyRect(dest, source, {0, 0, source.Width(), source.Height()});
}

} // namespace zorvic
