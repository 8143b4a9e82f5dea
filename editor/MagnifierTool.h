#pragma once
#include "CanvasTool.h"
#include "Magnifier.h"

namespace zorvic {

class TSaveForm;

// The magnifier: while the button is held an enlarged window follows the pointer; the release
// gives back the picture as it was at the press.
class TMagnifierTool : public TCanvasTool {
public:
    explicit TMagnifierTool(TSaveForm& form) : form_(form) {}

    void MouseDown(const TPointerAt& at) override;
    void MouseMove(const TPointerAt& at) override;
    void MouseUp(const TPointerAt& at) override;
    bool Dragging() const override { return Magnifying; }

    bool Magnifying = false;

    // One step: the window at a picture point, drawn with the page's settings of this moment.
    void Magnify(TPoint at);

private:
    TMagnifierSettings PageSettings();

    TSaveForm& form_;
    TMagnifier magnifier_;
    TDragPointer pointer_;
};

} // namespace zorvic
