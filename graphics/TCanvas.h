#pragma once
#include "ScopedOverride.h"
#include "TColor.h"
#include "TPoint.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace zorvic {

class TBitmap;
class TRoundedBox;
struct TInk;
struct TSpan;

// Pen styles as the shape list records them.
enum class TPenStyle : std::uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };

// Pen mix modes in the order of the canvas's mode list: copy = 4, xor = 14, not-xor = 15.
enum class TPenMode : std::uint8_t {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};

// Brush styles; the hatches paint the brush colour on a transparent background.
enum class TBrushStyle : std::uint8_t {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

// How a stretched copy samples: drop or repeat pixels, or average the covered source pixels.
enum class TStretchMode : std::uint8_t { ColorOnColor, Halftone };

// How copied pixels combine with the destination.
enum class TCopyMode : std::uint8_t { SrcCopy, SrcAnd };

struct TPen {
    TColor Color = clBlack;
    TPenStyle Style = TPenStyle::psSolid;
    int Width = 1;
    TPenMode Mode = TPenMode::pmCopy;
};

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
};

struct TFont {
    std::string Name = "Tahoma";
    int Height = -11; // negative: character height in pixels, as the window system takes it
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    TColor Color = clWindowText;
};

// Coverage of a text run: one byte per pixel, 0 = background, 255 = glyph.
struct TTextMask {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Coverage;
};

// Text is the one thing the raster core does not draw itself: a font engine registers here
// (the Qt one in the platform layer) for as long as the object lives. Without one, text output
// draws nothing and measures 0.
using TTextRasterizer = std::function<TTextMask(const std::string& utf8, const TFont& font)>;
class TTextRasterizerOverride : public TScopedOverride<TTextRasterizer> {
public:
    explicit TTextRasterizerOverride(TTextRasterizer rasterizer);
};

// The drawing surface of a bitmap. All coordinates are bitmap pixels; drawing is clipped to the
// bitmap. Figures follow the platform's rules: right and bottom edges are exclusive, a line
// leaves out its final pixel. Every figure is exact to the pixel, so drawing it twice in xor or
// not-xor mode restores what was there.
class TFillJournal;

class TCanvas {
public:
    explicit TCanvas(TBitmap& owner) : bitmap_(&owner) {}
    void Rebind(TBitmap& owner) { bitmap_ = &owner; }

    TPen Pen;
    TBrush Brush;
    TFont Font;
    // While set, the fills of figures in an ink that only flips bits are noted there instead of
    // painted (see TFillJournal).
    TFillJournal* FillJournal = nullptr;
    TStretchMode StretchMode = TStretchMode::ColorOnColor;
    TCopyMode CopyMode = TCopyMode::SrcCopy;

    TColor GetPixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    TPoint PenPos() const { return penPos_; }
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(std::span<const TPoint> points);

    // Outline with the pen, inside filled with the brush.
    void Rectangle(int x1, int y1, int x2, int y2);
    void Ellipse(int x1, int y1, int x2, int y2);
    void RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight);
    // Fill with the brush only.
    void FillRect(const TRect& rect);

    // Text with its top-left corner at (x, y) in the font's colour; when the brush is solid the
    // text's cell is filled with the brush colour first.
    void TextOut(int x, int y, const std::string& utf8);
    TPoint TextExtent(const std::string& utf8) const;

    // Copies source rectangle to destination rectangle, stretching with StretchMode when the
    // sizes differ, combining with CopyMode. Source pixels outside the source give nothing.
    void CopyRect(const TRect& dest, const TBitmap& source, const TRect& sourceRect);
    void Draw(int x, int y, const TBitmap& source);
    // As Draw, skipping source pixels equal to the transparent colour.
    void DrawTransparent(int x, int y, const TBitmap& source, TColor transparent);
    void StretchDraw(const TRect& dest, const TBitmap& source);

private:
    struct TTools;
    void StrokePolyline(std::span<const TPoint> points);
    void DrawRoundedFigure(long long x1, long long y1, long long x2, long long y2,
                           long long cornerWidth, long long cornerHeight);
    void DrawThickOutlineFigure(long long left, long long top, long long right, long long bottom,
                                long long cornerWidth, long long cornerHeight, const TTools& tools);
    void DrawDashedOutlineFigure(const TRoundedBox& figure, const TTools& tools);
    long long VisibleTop(const TRoundedBox& figure) const;
    long long VisibleBottom(const TRoundedBox& figure) const;
    void PaintPenSpan(long long y, const TSpan& span, const TInk& ink);
    void PaintBrushSpan(long long y, const TSpan& span, const TTools& tools);

    TBitmap* bitmap_;
    TPoint penPos_;
};

} // namespace zorvic
