#include "InputWatch.h"
#include <X11/XKBlib.h>
#include <X11/extensions/XInput2.h>
#include <cstdio>

namespace zorvic {
namespace {

bool IsWheelButton(int button) {
    return button >= 4 && button <= 7;
}

// XInput 2.2 delivers raw events to the root whatever grabs are active.
int FindXInputOpcode(Display* display) {
    int opcode = 0, event = 0, error = 0;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &event, &error)) return -1;
    int major = 2, minor = 2;
    if (XIQueryVersion(display, &major, &minor) != Success) return -1;
    return opcode;
}

} // namespace

InputWatch::InputWatch(HookFlags& flags) : flags_(flags) {
    display_ = XOpenDisplay(nullptr);
    if (!display_) {
        std::fprintf(stderr, "zorvic: no X display; the Ctrl+B hot key and the mouse-click notice "
                             "are off\n");
        return;
    }
    root_ = DefaultRootWindow(display_);
    // Holding Ctrl+B then repeats presses without releases in between, which hotKeyHeld_ skips.
    XkbSetDetectableAutoRepeat(display_, True, nullptr);
    inputOpcode_ = FindXInputOpcode(display_);
    if (inputOpcode_ < 0)
        std::fprintf(stderr, "zorvic: the X server lacks XInput 2.2; mouse clicks go unnoticed\n");
}

InputWatch::~InputWatch() {
    // Closing the connection releases its grabs and selections.
    if (display_) XCloseDisplay(display_);
}

int InputWatch::FileDescriptor() const {
    return display_ ? ConnectionNumber(display_) : -1;
}

void InputWatch::FollowWishes() {
    if (!display_) return;
    FollowHotKeyWish();
    FollowMouseWish();
}

void InputWatch::FollowHotKeyWish() {
    bool wanted = flags_.hotKeyWanted;
    if (wanted && !grab_) {
        grab_ = GrabHotKey(display_, root_);
        hotKeyHeld_ = false;
        if (grab_->heldElsewhere && !clashReported_) {
            clashReported_ = true;
            std::fprintf(stderr, "zorvic: another program holds Ctrl+B; the capture hot key "
                                 "cannot work until it lets go\n");
        }
    } else if (!wanted && grab_) {
        UngrabHotKey(display_, root_, *grab_);
        grab_.reset();
    }
}

void InputWatch::FollowMouseWish() {
    bool wanted = flags_.mouseWanted;
    if (inputOpcode_ >= 0 && wanted != buttonsSelected_) SelectRawButtonPresses(wanted);
}

void InputWatch::SelectRawButtonPresses(bool on) {
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    if (on) XISetMask(bits, XI_RawButtonPress);
    XIEventMask mask{XIAllMasterDevices, on ? static_cast<int>(sizeof bits) : 0, bits};
    XISelectEvents(display_, root_, &mask, 1);
    XFlush(display_);
    buttonsSelected_ = on;
}

void InputWatch::HandlePendingEvents() {
    if (!display_) return;
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        HandleEvent(event);
    }
}

void InputWatch::HandleEvent(XEvent& event) {
    switch (event.type) {
    case KeyPress:
        // Only the grab sends keys here; while it is active other keys may come too.
        if (grab_ && event.xkey.keycode == grab_->keycode && !hotKeyHeld_) {
            hotKeyHeld_ = true;
            if (flags_.hotKeyWanted) flags_.hotKeyPressed = true;
        }
        break;
    case KeyRelease:
        if (grab_ && event.xkey.keycode == grab_->keycode) hotKeyHeld_ = false;
        break;
    case MappingNotify:
        // A new keymap may move B or the lock modifiers: grab afresh.
        XRefreshKeyboardMapping(&event.xmapping);
        if (grab_ && event.xmapping.request != MappingPointer) {
            UngrabHotKey(display_, root_, *grab_);
            grab_.reset();
            FollowHotKeyWish();
        }
        break;
    case GenericEvent:
        HandleRawEvent(event);
        break;
    }
}

void InputWatch::HandleRawEvent(XEvent& event) {
    XGenericEventCookie& cookie = event.xcookie;
    if (cookie.extension != inputOpcode_ || cookie.evtype != XI_RawButtonPress) return;
    if (!XGetEventData(display_, &cookie)) return;
    int button = static_cast<XIRawEvent*>(cookie.data)->detail;
    XFreeEventData(display_, &cookie);
    if (flags_.mouseWanted && !IsWheelButton(button)) flags_.mouseDown = true;
}

} // namespace zorvic
