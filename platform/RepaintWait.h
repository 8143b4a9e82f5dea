#pragma once
#include "WindowLocator.h"

#include <functional>

namespace zorvic {

// Hides a window of the program before a grab and returns once the screen shows what the window
// covered, so that the grab catches neither the window nor a desktop half repainted.
class RepaintWait {
public:
    virtual ~RepaintWait() = default;

    // Runs `hide` (the toolkit owns the window and hides it), then returns once the window, with
    // its window manager's frame, has left the screen and nothing has been drawn on the screen for
    // a few milliseconds; after a ceiling at the latest, for a screen that never rests. A window
    // that is not on the screen (unmapped, minimised) is hidden without waiting. Whether it waited.
    virtual bool HideAndWait(WindowId window, const std::function<void()>& hide) = 0;
};

} // namespace zorvic
