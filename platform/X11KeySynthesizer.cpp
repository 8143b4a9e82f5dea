#include "Errors.h"
#include "X11Services.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace zorvic::x11 {

namespace {

class X11KeySynthesizer final : public KeySynthesizer {
public:
    explicit X11KeySynthesizer(std::shared_ptr<Connection> connection)
        : connection_(std::move(connection)) {}

    void Send(std::span<const SynthKeyEvent> events) override {
        Display* display = connection_->Display();
        int eventBase = 0, errorBase = 0, major = 0, minor = 0;
        if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor))
            throw EZorvicError("Cannot send key events: the X server has no XTEST extension");
        // All key codes first, so that a missing key never leaves Ctrl held down.
        const unsigned control = KeyCodeOf(SynthKey::Control);
        const unsigned b = KeyCodeOf(SynthKey::B);
        ErrorTrap trap(display);
        for (const SynthKeyEvent& event : events)
            XTestFakeKeyEvent(display, event.Key == SynthKey::Control ? control : b,
                              event.Down ? True : False, CurrentTime);
        XFlush(display);
        trap.ThrowIfFailed("Cannot send key events");
    }

private:
    unsigned KeyCodeOf(SynthKey key) {
        const KeySym symbol = key == SynthKey::Control ? XK_Control_L : XK_b;
        const KeyCode code = XKeysymToKeycode(connection_->Display(), symbol);
        if (code == 0)
            throw EZorvicError(std::string("Cannot send key events: no key gives ") +
                               XKeysymToString(symbol));
        return code;
    }

    std::shared_ptr<Connection> connection_;
};

} // namespace

std::shared_ptr<KeySynthesizer> MakeKeySynthesizer(std::shared_ptr<Connection> connection) {
    return std::make_shared<X11KeySynthesizer>(std::move(connection));
}

} // namespace zorvic::x11
