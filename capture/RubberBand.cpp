#include "RubberBand.h"

#include "TCanvas.h"

#include <algorithm>
#include <array>

namespace zorvic {

void TRubberBand::Start(TBitmap& picture, TPoint point) {
    SelStart = point;
    SelLast = point;
    picture.Canvas().Pen.Color = clYellow;
}

void TRubberBand::MoveTo(TBitmap& picture, TPoint point) {
    TPen& pen = picture.Canvas().Pen;
    pen.Mode = TPenMode::pmXor;
    pen.Width = 1;
    Draw(picture, SelLast);
    Draw(picture, point);
    SelLast = point;
}

void TRubberBand::Erase(TBitmap& picture) {
    Draw(picture, SelLast);
    SelLast = SelStart;
}

TRect TRubberBand::Bounds(TPoint corner) const {
    return {std::min(SelStart.x, corner.x), std::min(SelStart.y, corner.y),
            std::max(SelStart.x, corner.x) + 1, std::max(SelStart.y, corner.y) + 1};
}

void TRubberBand::Draw(TBitmap& picture, TPoint corner) {
    // Before the first move there is no band to erase.
    if (corner == SelStart) return;
    const std::array<TPoint, 5> outline{SelStart, TPoint{SelStart.x, corner.y}, corner,
                                        TPoint{corner.x, SelStart.y}, SelStart};
    picture.Canvas().Polyline(outline);
}

} // namespace zorvic
