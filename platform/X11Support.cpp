#include "X11Support.h"

#include "Errors.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <bit>
#include <mutex>
#include <vector>

namespace zorvic::x11 {

Connection::Connection(const char* displayName) : display_(XOpenDisplay(displayName)) {
    if (!display_) {
        const char* name = displayName ? displayName : XDisplayName(nullptr);
        throw EZorvicError(std::string("Cannot open the X display \"") + (name ? name : "") + "\"");
    }
}

Connection::~Connection() {
    XCloseDisplay(display_);
}

unsigned long Connection::Root() const {
    return DefaultRootWindow(display_);
}

unsigned long Connection::InternAtom(const char* name) const {
    return XInternAtom(display_, name, False);
}

void FreeDeleter::operator()(void* data) const {
    if (data) XFree(data);
}

void ImageDeleter::operator()(_XImage* image) const {
    if (image) XDestroyImage(image);
}

unsigned long TopLevelOf(Display* display, unsigned long root, unsigned long window) {
    while (window != None && window != root) {
        Window rootReturn = None, parent = None;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display, window, &rootReturn, &parent, &children, &count)) return None;
        const XPtr<Window> owned(children);
        if (parent == root) return window;
        window = parent;
    }
    return window;
}

std::uint8_t ChannelFromPixel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const unsigned long top = mask >> shift;
    return static_cast<std::uint8_t>((((pixel & mask) >> shift) * 255 + top / 2) / top);
}

unsigned long PixelFromChannel(int value, unsigned long mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    return ((static_cast<unsigned long>(value) * (mask >> shift) + 127) / 255) << shift;
}

namespace {

// Xlib has one error handler per process, so the active traps are kept here and the handler
// finds the one for the failing connection.
std::mutex trapsMutex;
std::vector<ErrorTrap*> activeTraps;
std::vector<_XDisplay*> trapDisplays;
XErrorHandler previousHandler = nullptr;

int HandleError(Display* display, XErrorEvent* event) {
    XErrorHandler forward = nullptr;
    {
        std::lock_guard lock(trapsMutex);
        for (std::size_t i = activeTraps.size(); i-- > 0;) {
            if (trapDisplays[i] == display) {
                activeTraps[i]->Record(event->error_code);
                return 0;
            }
        }
        forward = previousHandler;
    }
    return forward ? forward(display, event) : 0;
}

} // namespace

ErrorTrap::ErrorTrap(_XDisplay* display) : display_(display) {
    std::lock_guard lock(trapsMutex);
    if (activeTraps.empty()) {
        // Ours may still be in place, left by another trap that chained to it.
        const XErrorHandler prior = XSetErrorHandler(HandleError);
        if (prior != HandleError) previousHandler = prior;
    }
    activeTraps.push_back(this);
    trapDisplays.push_back(display);
}

ErrorTrap::~ErrorTrap() {
    XSync(display_, False);
    std::lock_guard lock(trapsMutex);
    const auto at = std::find(activeTraps.begin(), activeTraps.end(), this);
    trapDisplays.erase(trapDisplays.begin() + (at - activeTraps.begin()));
    activeTraps.erase(at);
    if (activeTraps.empty()) {
        // A handler installed meanwhile (by Qt, or a trap of another thread) stays; ours, if it
        // is still called, forwards what it does not trap.
        const XErrorHandler current = XSetErrorHandler(previousHandler);
        if (current != HandleError) XSetErrorHandler(current);
    }
}

void ErrorTrap::Record(int errorCode) {
    if (errorCode_ == 0) errorCode_ = errorCode;
}

int ErrorTrap::Sync() {
    XSync(display_, False);
    return errorCode_;
}

void ErrorTrap::ThrowIfFailed(const std::string& what) {
    if (Sync() == 0) return;
    char text[256] = {};
    XGetErrorText(display_, errorCode_, text, sizeof text);
    throw EZorvicError(what + ": " + text);
}

} // namespace zorvic::x11
