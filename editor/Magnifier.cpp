#include "Magnifier.h"

#include "TCanvas.h"

#include <algorithm>
#include <cmath>

namespace zorvic {

namespace {

// The round window's mask lies 4 pixels beyond the window on every side.
constexpr int kMaskMargin = 4;

TRect Union(const TRect& a, const TRect& b) {
    if (a.Width() <= 0 || a.Height() <= 0) return b;
    if (b.Width() <= 0 || b.Height() <= 0) return a;
    return TRect{std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                 std::max(a.Bottom, b.Bottom)};
}

void FillBlack(TBitmap& bitmap) {
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush = TBrush{clBlack, TBrushStyle::bsSolid};
    canvas.FillRect(TRect{0, 0, bitmap.Width(), bitmap.Height()});
}

// A disc inscribed in the square (inset, inset)-(side - inset, side - inset), black outlined.
void Disc(TBitmap& mask, int inset, TColor fill) {
    TCanvas& canvas = mask.Canvas();
    canvas.Pen = TPen{clBlack, TPenStyle::psSolid, 1, TPenMode::pmCopy};
    canvas.Brush = TBrush{fill, TBrushStyle::bsSolid};
    canvas.Ellipse(inset, inset, mask.Width() - inset, mask.Height() - inset);
}

} // namespace

TMagnifierWindow MagnifierWindow(int magnification, int radius) {
    TMagnifierWindow window;
    window.SourceRadius =
        static_cast<int>(std::nearbyint(static_cast<double>(radius) / magnification));
    if (window.SourceRadius < 2) {
        window.SourceRadius = 2;
        window.Raised = true;
    }
    window.HalfSize = window.SourceRadius * magnification;
    return window;
}

TRect TMagnifier::Magnify(TBitmap& picture, const TBitmap& snapshot,
                          const TMagnifierSettings& settings, TPoint at) {
    const TRect previous = shown_;
    TCanvas restore(picture);
    restore.CopyRect(previous, snapshot, previous);

    const TMagnifierWindow window = MagnifierWindow(settings.Magnification, settings.Radius);
    const int r = window.SourceRadius, h = window.HalfSize;
    source_.SetSize(2 * r, 2 * r);
    FillBlack(source_);
    source_.Canvas().CopyRect(TRect{0, 0, 2 * r, 2 * r}, snapshot,
                              TRect{at.x - r, at.y - r, at.x + r, at.y + r});
    if (settings.Round)
        DrawRound(picture, settings, at, h);
    else
        DrawSquare(picture, settings, at, h);

    shown_ = TRect{at.x - h - kMaskMargin, at.y - h - kMaskMargin, at.x + h + kMaskMargin,
                   at.y + h + kMaskMargin};
    return Union(previous, shown_);
}

void TMagnifier::DrawSquare(TBitmap& picture, const TMagnifierSettings& settings, TPoint at,
                            int h) {
    // A canvas of its own: the user's pen and brush on the picture stay as they are.
    TCanvas glass(picture);
    if (settings.Border) {
        // Filled black, outlined in the colour: a one-pixel frame around the window.
        glass.Pen = TPen{settings.BorderColor, TPenStyle::psSolid, 1, TPenMode::pmCopy};
        glass.Brush = TBrush{clBlack, TBrushStyle::bsSolid};
        glass.Rectangle(at.x - h - 1, at.y - h - 1, at.x + h + 1, at.y + h + 1);
    }
    glass.CopyRect(TRect{at.x - h, at.y - h, at.x + h, at.y + h}, source_,
                   TRect{0, 0, source_.Width(), source_.Height()});
}

void TMagnifier::DrawRound(TBitmap& picture, const TMagnifierSettings& settings, TPoint at, int h) {
    const int side = 2 * h + 2 * kMaskMargin;
    const int left = at.x - h - kMaskMargin, top = at.y - h - kMaskMargin;
    TCanvas glass(picture);
    mask_.SetSize(side, side);

    // A white disc in black takes the enlarged square by AND: the disc shows it, the rest stays
    // black, and black is left out when the mask goes onto the picture.
    FillBlack(mask_);
    Disc(mask_, kMaskMargin, clWhite);
    TCanvas& mask = mask_.Canvas();
    mask.CopyMode = TCopyMode::SrcAnd;
    mask.CopyRect(TRect{0, 0, side, side}, source_, TRect{0, 0, source_.Width(), source_.Height()});
    mask.CopyMode = TCopyMode::SrcCopy;
    glass.DrawTransparent(left, top, mask_, clBlack);

    if (settings.Border) {
        // A coloured disc with a black one inside leaves a thin coloured ring.
        FillBlack(mask_);
        Disc(mask_, kMaskMargin / 2, settings.BorderColor);
        Disc(mask_, kMaskMargin, clBlack);
        glass.DrawTransparent(left, top, mask_, clBlack);
    }
}

} // namespace zorvic
