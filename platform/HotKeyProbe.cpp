#include "HotKeyProbe.h"
#include "../hooklib/HotKeyGrab.h"

namespace zorvic {

bool IsHotKeyHeldByAnotherProgram() {
    std::unique_ptr<Display, decltype(&XCloseDisplay)> display(XOpenDisplay(nullptr),
                                                               &XCloseDisplay);
    if (!display) return false;
    Window root = DefaultRootWindow(display.get());
    HotKeyGrab grab = GrabHotKey(display.get(), root);
    UngrabHotKey(display.get(), root, grab);
    return grab.heldElsewhere;
}

} // namespace zorvic
