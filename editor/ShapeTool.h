#pragma once
#include "CanvasTool.h"
#include "FillJournal.h"
#include "TCanvas.h"

namespace zorvic {

class TSaveForm;

// Line, rectangle, ellipse and rounded rectangle: a not-xor rubber band follows the pointer
// while the button is held, and the release draws the finished shape and lists it.
class TShapeTool : public TCanvasTool {
public:
    explicit TShapeTool(TSaveForm& form) : form_(form) {}

    void MouseDown(const TPointerAt& at) override;
    void MouseMove(const TPointerAt& at) override;
    void MouseUp(const TPointerAt& at) override;
    bool Dragging() const override { return ShapeDragging; }

    bool ShapeDragging = false;
    TPoint ShapeStart;
    // The end of the rubber band on the picture now.
    TPoint ShapeEnd;

private:
    TCanvas& Canvas();
    // Draws the current kind from ShapeStart with the canvas's pen and brush.
    void Draw(TPoint finish, TPenMode mode);
    // Repaints what drawing between the start and these two ends may have touched.
    void Repaint(TPoint oneEnd, TPoint otherEnd);

    TSaveForm& form_;
    // Kept from move to move for its memory.
    TFillJournal fills_;
};

} // namespace zorvic
