#pragma once
#include "CanvasTool.h"

namespace zorvic {

class TSaveForm;

// The hand: drags the image control inside the scroll box, so the grabbed point stays under
// the pointer.
class THandTool : public TCanvasTool {
public:
    explicit THandTool(TSaveForm& form) : form_(form) {}

    void MouseDown(const TPointerAt& at) override;
    void MouseMove(const TPointerAt& at) override;
    void MouseUp(const TPointerAt& at) override;
    bool Dragging() const override { return HandDragging; }

    bool HandDragging = false;
    // Where the control was grabbed, in its own coordinates.
    QPoint HandStart;

private:
    TSaveForm& form_;
    TDragPointer pointer_;
};

} // namespace zorvic
