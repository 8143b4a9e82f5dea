#include "Offscreen.h"

#include <cstdlib>

namespace zorvic::testing {

void RunOffscreen() {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
}

} // namespace zorvic::testing
