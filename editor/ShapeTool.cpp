#include "ShapeTool.h"

#include "DrawShape.h"
#include "EditorView.h"
#include "ScopedOverride.h"
#include "TSaveForm.h"
#include "ToolsPanel.h"

#include <QSpinBox>

#include <algorithm>

namespace zorvic {

TCanvas& TShapeTool::Canvas() {
    return form_.Pic->Picture().Canvas();
}

void TShapeTool::Draw(TPoint finish, TPenMode mode) {
    DrawShape(Canvas(), form_.ToolsPanel->ShapeKind, ShapeStart, finish, mode);
}

void TShapeTool::Repaint(TPoint oneEnd, TPoint otherEnd) {
    // A wide pen reaches past the figure's corners by up to its width.
    const int reach = std::max(Canvas().Pen.Width, 1);
    const int left = std::min({ShapeStart.x, oneEnd.x, otherEnd.x});
    const int top = std::min({ShapeStart.y, oneEnd.y, otherEnd.y});
    const int right = std::max({ShapeStart.x, oneEnd.x, otherEnd.x});
    const int bottom = std::max({ShapeStart.y, oneEnd.y, otherEnd.y});
    form_.Pic->PictureChanged(
        TRect{left - reach, top - reach, right + reach + 1, bottom + reach + 1});
}

void TShapeTool::MouseDown(const TPointerAt& at) {
    // "边框粗细" sets the outline's width for the whole drag; 0 draws as thin as 1.
    Canvas().Pen.Width = std::max(form_.ToolsPanel->PenSize->value(), 1);
    ShapeDragging = true;
    Canvas().MoveTo(at.Picture.x, at.Picture.y);
    ShapeStart = at.Picture;
    ShapeEnd = at.Picture;
}

void TShapeTool::MouseMove(const TPointerAt& at) {
    // Not-xor twice restores every pixel, so the old band goes without a trace. Where the old
    // and the new figure's fills overlap they would cancel, so they are left alone: a large
    // filled figure costs the difference of the two, not both areas.
    const TPoint previous = ShapeEnd;
    {
        const TScopedOverride<TFillJournal*> noting(Canvas().FillJournal, &fills_);
        Draw(previous, TPenMode::pmNotXor);
        ShapeEnd = at.Picture;
        Draw(ShapeEnd, TPenMode::pmNotXor);
    }
    fills_.Paint(form_.Pic->Picture());
    Repaint(previous, ShapeEnd);
}

void TShapeTool::MouseUp(const TPointerAt& at) {
    Draw(ShapeEnd, TPenMode::pmNotXor);
    Draw(at.Picture, TPenMode::pmCopy);
    ShapeDragging = false;
    form_.DrawSteps.AddStep(ShapeStart, at.Picture, form_.ToolsPanel->ShapeKind, Canvas());
    Repaint(ShapeEnd, at.Picture);
}

} // namespace zorvic
