#include "XTestClient.h"

#include "X11TestTools.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

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

void XTestClient::Chord(std::initializer_list<KeySym> modifiers, KeySym key) {
    TapChord(display_, modifiers, key);
}

void XTestClient::CtrlB() {
    Chord({XK_Control_L}, XK_b);
}

void XTestClient::MoveTo(TPoint to) {
    MovePointer(display_, to);
}

void XTestClient::Press(unsigned button) {
    PressButton(display_, true, button);
}

void XTestClient::Release(unsigned button) {
    PressButton(display_, false, button);
}

void XTestClient::Click(unsigned button) {
    Press(button);
    Release(button);
}

void XTestClient::LockModifiers(unsigned mask) {
    XkbLockModifiers(display_, XkbUseCoreKbd, 0xff, mask);
    XSync(display_, False);
}

bool XTestClient::CanGrabCtrlB() {
    return CtrlBFree(display_);
}

bool XTestClient::CtrlBHeldElsewhere() {
    return testing::CtrlBHeldElsewhere(display_);
}

} // namespace zorvic::testing
