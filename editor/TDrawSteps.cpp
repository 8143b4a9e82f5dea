#include "TDrawSteps.h"

#include "DrawShape.h"
#include "TBitmap.h"

namespace zorvic {

void TDrawSteps::AddStep(TPoint start, TPoint end, std::uint8_t kind, const TCanvas& canvas) {
    if (Count >= kCapacity) return;
    ++Count;
    StartPoints[Count] = start;
    EndPoints[Count] = end;
    Kinds[Count] = kind;
    PenStyles[Count] = canvas.Pen.Style;
    BrushStyles[Count] = canvas.Brush.Style;
    PenColors[Count] = canvas.Pen.Color;
    BrushColors[Count] = canvas.Brush.Color;
}

void TDrawSteps::DropLast() {
    if (Count > 0) --Count;
}

void TDrawSteps::ReplayShapes(TBitmap& picture, TPoint area, std::uint8_t& shapeKind) {
    if (Count <= 0) return;
    TCanvas& canvas = picture.Canvas();
    canvas.Pen.Color = clBtnHighlight;
    canvas.Brush.Color = clBtnHighlight;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Rectangle(0, 0, area.x, area.y);
    DropLast();
    for (int i = 1; i <= Count; ++i) {
        shapeKind = Kinds[i];
        canvas.Pen.Style = PenStyles[i];
        canvas.Brush.Style = BrushStyles[i];
        canvas.Pen.Color = PenColors[i];
        canvas.Brush.Color = BrushColors[i];
        DrawShape(canvas, shapeKind, StartPoints[i], EndPoints[i], TPenMode::pmCopy);
    }
}

} // namespace zorvic
