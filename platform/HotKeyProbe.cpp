#include "HotKeyProbe.h"
#include "HotKeyGrab.h"

#include <chrono>
#include <thread>

namespace zorvic {

namespace {

// Another program's look at the key is a grab of a moment, like this one: only a key held at
// every one of a few looks, spread over a tenth of a second, counts.
constexpr int kLooks = 3;
constexpr auto kBetweenLooks = std::chrono::milliseconds(50);

} // namespace

bool IsHotKeyHeldByAnotherProgram() {
    std::unique_ptr<Display, decltype(&XCloseDisplay)> display(XOpenDisplay(nullptr),
                                                               &XCloseDisplay);
    if (!display) return false;
    Window root = DefaultRootWindow(display.get());
    for (int look = 0; look < kLooks; ++look) {
        if (look > 0) std::this_thread::sleep_for(kBetweenLooks);
        const HotKeyGrab grab = GrabHotKey(display.get(), root);
        UngrabHotKey(display.get(), root, grab);
        if (!grab.heldElsewhere) return false;
    }
    return true;
}

} // namespace zorvic
