#pragma once
// The tools that act at the pointer's pixel: the colour picker, the text and the spray gun.
#include "CanvasTool.h"

namespace zorvic {

class TSaveForm;

// The colour picker: the foreground swatch takes the colour under the pointer; the pen that
// draws the next shape keeps its own colour.
class TStrawTool : public TCanvasTool {
public:
    explicit TStrawTool(TSaveForm& form) : form_(form) {}
    void MouseDown(const TPointerAt& at) override;

private:
    TSaveForm& form_;
};

// The text tool: every click writes the text box's text with its top-left corner at the
// pointer, in the canvas's font, on a cell of the brush colour when the brush is solid.
class TTextTool : public TCanvasTool {
public:
    explicit TTextTool(TSaveForm& form) : form_(form) {}
    void MouseDown(const TPointerAt& at) override;

private:
    TSaveForm& form_;
};

// The spray gun: while the button is held each move scatters dots of the foreground colour
// around the pointer, as many as the radius and one more at most.
class TSprayTool : public TCanvasTool {
public:
    explicit TSprayTool(TSaveForm& form) : form_(form) {}

    void MouseDown(const TPointerAt&) override { Spraying = true; }
    void MouseMove(const TPointerAt& at) override;
    void MouseUp(const TPointerAt&) override { Spraying = false; }
    bool Dragging() const override { return Spraying; }

    bool Spraying = false;

private:
    TSaveForm& form_;
};

} // namespace zorvic
