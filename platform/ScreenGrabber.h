#pragma once
#include "TBitmap.h"
#include "TPoint.h"

namespace zorvic {

// The primary screen's pixels. Rectangles are in root-window coordinates.
class ScreenGrabber {
public:
    virtual ~ScreenGrabber() = default;

    // Where the primary monitor lies on the whole X screen; (0, 0) at its top-left on almost
    // every setup, but not when the primary output is placed right of or below another one.
    virtual TRect PrimaryScreen() = 0;

    // Copies the primary screen into `target`, 32 bits per pixel (blue, green, red, 0). A target
    // that already has the screen's size and format keeps its pixel store, so repeated grabs
    // allocate nothing.
    virtual void Grab(TBitmap& target) = 0;
};

} // namespace zorvic
