#include "InputWatch.h"
#include <X11/XKBlib.h>
#include <X11/extensions/XInput2.h>
#include <algorithm>
#include <cstdio>

namespace zorvic {
namespace {

bool IsWheelButton(int button) {
    return button >= 4 && button <= 7;
}

// Another client's grab of Ctrl+B may be a moment's look at the key (a program checking whether
// the key is free): the grab is tried again soon, then less often. Only a key still held after the
// grace is worth a warning.
constexpr std::chrono::milliseconds kFirstRetry{25};
constexpr std::chrono::milliseconds kLongestRetry{2000};
constexpr std::chrono::milliseconds kClashGrace{1000};

// XInput 2.2 delivers raw events to the root whatever grabs are active.
int FindXInputOpcode(Display* display) {
    int opcode = 0, event = 0, error = 0;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &event, &error)) return -1;
    int major = 2, minor = 2;
    if (XIQueryVersion(display, &major, &minor) != Success) return -1;
    return opcode;
}

} // namespace

InputWatch::InputWatch(HookFlags& flags, NoticeSignal& notice) : flags_(flags), notice_(notice) {
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

int InputWatch::MillisecondsToNextTry() const {
    if (!clashSince_) return -1;
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(nextTry_ - std::chrono::steady_clock::now());
    return static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
}

void InputWatch::FollowWishes() {
    if (!display_) return;
    FollowHotKeyWish();
    FollowMouseWish();
}

void InputWatch::FollowHotKeyWish() {
    const bool wanted = flags_.hotKeyWanted;
    const bool tryAgain = grab_ && grab_->heldElsewhere && MillisecondsToNextTry() == 0;
    if (wanted && (!grab_ || tryAgain)) {
        // Grabbing again keeps the states this connection holds already and takes those that
        // have come free.
        if (!grab_) hotKeyHeld_ = false;
        grab_ = GrabHotKey(display_, root_);
        if (grab_->heldElsewhere)
            GrabHotKeyAgainLater();
        else
            clashSince_.reset();
    } else if (!wanted && grab_) {
        UngrabHotKey(display_, root_, *grab_);
        grab_.reset();
        clashSince_.reset();
    }
}

void InputWatch::GrabHotKeyAgainLater() {
    const auto now = std::chrono::steady_clock::now();
    if (!clashSince_) {
        clashSince_ = now;
        tryInterval_ = kFirstRetry;
    } else {
        tryInterval_ = std::min(tryInterval_ * 2, kLongestRetry);
    }
    nextTry_ = now + tryInterval_;
    if (now - *clashSince_ >= kClashGrace && !clashReported_) {
        clashReported_ = true;
        std::fprintf(stderr, "zorvic: another program holds Ctrl+B; the capture hot key works "
                             "once it lets go\n");
    }
}

void InputWatch::FollowMouseWish() {
    const bool wanted = flags_.mouseWanted;
    // Let go only once every button is up again, so that the window under the pointer never
    // gets the release of a press it did not see.
    if (!wanted && (pointerGrabbed_ || buttonsSelected_) && AnyButtonDown()) return;
    if (inputOpcode_ >= 0 && wanted != buttonsSelected_) SelectRawButtons(wanted);
    if (wanted != pointerGrabbed_) GrabPointer(wanted);
}

void InputWatch::SelectRawButtons(bool on) {
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    if (on) {
        XISetMask(bits, XI_RawButtonPress);
        XISetMask(bits, XI_RawButtonRelease);
    }
    XIEventMask mask{XIAllMasterDevices, on ? static_cast<int>(sizeof bits) : 0, bits};
    XISelectEvents(display_, root_, &mask, 1);
    XFlush(display_);
    buttonsSelected_ = on;
}

void InputWatch::GrabPointer(bool on) {
    if (!on) {
        XUngrabPointer(display_, CurrentTime);
        XFlush(display_);
        pointerGrabbed_ = false;
        return;
    }
    // The pick takes the click for itself: the click that captures a button of another program
    // must not also press it. The raw events still report it. While another program holds the
    // pointer (an open menu), the click is only noticed; the next wake-up tries again.
    pointerGrabbed_ =
        XGrabPointer(display_, root_, False, ButtonPressMask | ButtonReleaseMask, GrabModeAsync,
                     GrabModeAsync, None, None, CurrentTime) == GrabSuccess;
}

bool InputWatch::AnyButtonDown() {
    Window rootReturn = 0, child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned mask = 0;
    XQueryPointer(display_, root_, &rootReturn, &child, &rootX, &rootY, &x, &y, &mask);
    return (mask & (Button1Mask | Button2Mask | Button3Mask | Button4Mask | Button5Mask)) != 0;
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
            if (flags_.hotKeyWanted && !flags_.hotKeyPressed.exchange(true)) notice_.Raise();
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
    case ButtonPress:
        // Only the pick's pointer grab sends these; the raw events usually told already.
        NoticeButtonPress(event.xbutton.button);
        break;
    case ButtonRelease:
        NoticeButtonRelease();
        break;
    case GenericEvent:
        HandleRawEvent(event);
        break;
    }
}

void InputWatch::HandleRawEvent(XEvent& event) {
    XGenericEventCookie& cookie = event.xcookie;
    if (cookie.extension != inputOpcode_) return;
    if (cookie.evtype == XI_RawButtonRelease) return NoticeButtonRelease();
    if (cookie.evtype != XI_RawButtonPress || !XGetEventData(display_, &cookie)) return;
    int button = static_cast<XIRawEvent*>(cookie.data)->detail;
    XFreeEventData(display_, &cookie);
    NoticeButtonPress(button);
}

void InputWatch::NoticeButtonPress(unsigned button) {
    if (!flags_.mouseWanted || IsWheelButton(static_cast<int>(button))) return;
    // The pointer grab reports the press that the raw event reported already: one notice.
    if (!flags_.mouseDown.exchange(true)) notice_.Raise();
}

void InputWatch::NoticeButtonRelease() {
    // A release the watch may be waiting for before letting go of the pointer.
    if (!flags_.mouseWanted) FollowMouseWish();
}

} // namespace zorvic
