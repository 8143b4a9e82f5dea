#pragma once
#include "TPoint.h"

#include <cstdint>

namespace zorvic {

// An X window id (QWidget::winId() gives one); 0 means no window.
using WindowId = std::uint64_t;

// Finds windows of any program on the desktop. Rectangles are in root-window coordinates with
// exclusive right and bottom; an empty TRect stands for "no window".
class WindowLocator {
public:
    virtual ~WindowLocator() = default;
    // The innermost visible window containing the point (a child window of a program rather
    // than its top-level window where the program has child windows); 0 over the bare desktop.
    virtual WindowId WindowAt(TPoint point) = 0;
    // The window that has the keyboard focus now, as its top-level window; 0 when none has.
    virtual WindowId ForegroundWindow() = 0;
    // The outer rectangle: for a top-level window its window manager's frame included.
    virtual TRect OuterRect(WindowId window) = 0;
    // Brings the window to the front and gives it the focus.
    virtual void Activate(WindowId window) = 0;
};

} // namespace zorvic
