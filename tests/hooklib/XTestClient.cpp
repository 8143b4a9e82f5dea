#include "XTestClient.h"
#include "HotKeyGrab.h"
#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace zorvic::testing {

XTestClient::XTestClient() : display_(XOpenDisplay(nullptr)) {
    if (!display_) {
        const char* name = std::getenv("DISPLAY");
        throw std::runtime_error(std::string("cannot open the X display ") +
                                 (name ? name : "(unset)"));
    }
}

XTestClient::~XTestClient() {
    LockModifiers(0);
    XCloseDisplay(display_);
}

void XTestClient::Key(KeySym key, bool down) {
    XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, key), down, CurrentTime);
}

void XTestClient::Chord(std::initializer_list<KeySym> modifiers, KeySym key) {
    for (KeySym modifier : modifiers)
        Key(modifier, true);
    Key(key, true);
    Key(key, false);
    std::vector<KeySym> held(modifiers);
    for (auto it = held.rbegin(); it != held.rend(); ++it)
        Key(*it, false);
    XSync(display_, False);
}

void XTestClient::Click(unsigned button) {
    XTestFakeButtonEvent(display_, button, True, CurrentTime);
    XTestFakeButtonEvent(display_, button, False, CurrentTime);
    XSync(display_, False);
}

void XTestClient::LockModifiers(unsigned mask) {
    XkbLockModifiers(display_, XkbUseCoreKbd, 0xff, mask);
    XSync(display_, False);
}

bool XTestClient::CanGrabCtrlB() {
    Window root = DefaultRootWindow(display_);
    HotKeyGrab grab = GrabHotKey(display_, root);
    UngrabHotKey(display_, root, grab);
    XSync(display_, False);
    return !grab.heldElsewhere;
}

} // namespace zorvic::testing
