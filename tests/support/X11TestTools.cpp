#include "X11TestTools.h"

#include "HotKeyGrab.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <bit>
#include <cstdlib>
#include <iterator>
#include <stdexcept>
#include <utility>
#include <vector>

namespace zorvic::testing {

DisplayPtr Open(const PrivateDisplay& server) {
    DisplayPtr display(XOpenDisplay(server.Name().c_str()));
    if (!display) throw std::runtime_error("cannot open " + server.Name());
    return display;
}

TColor PatternAt(int x, int y) {
    return MakeColor(x * 7 + y, y * 5 + 3, (x ^ y) * 3);
}

namespace {

unsigned long PixelOf(Visual* visual, TColor color) {
    auto channel = [](int value, unsigned long mask) {
        const int shift = std::countr_zero(mask);
        return (static_cast<unsigned long>(value) * (mask >> shift) / 255) << shift;
    };
    return channel(RedOf(color), visual->red_mask) | channel(GreenOf(color), visual->green_mask) |
           channel(BlueOf(color), visual->blue_mask);
}

} // namespace

Window CreatePatternWindow(Display* display, Window parent, const TRect& rect) {
    const int screen = DefaultScreen(display);
    Visual* visual = DefaultVisual(display, screen);
    const int depth = DefaultDepth(display, screen);
    const Pixmap pixmap = XCreatePixmap(display, parent, rect.Width(), rect.Height(), depth);
    XImage* image = XCreateImage(display, visual, depth, ZPixmap, 0, nullptr, rect.Width(),
                                 rect.Height(), 32, 0);
    image->data = static_cast<char*>(std::malloc(image->bytes_per_line * rect.Height()));
    for (int y = 0; y < rect.Height(); ++y)
        for (int x = 0; x < rect.Width(); ++x)
            XPutPixel(image, x, y, PixelOf(visual, PatternAt(x, y)));
    GC gc = XCreateGC(display, pixmap, 0, nullptr);
    XPutImage(display, pixmap, gc, image, 0, 0, 0, 0, rect.Width(), rect.Height());
    XFreeGC(display, gc);
    XDestroyImage(image);
    const Window window = CreatePlainWindow(display, parent, rect);
    XSetWindowBackgroundPixmap(display, window, pixmap);
    XFreePixmap(display, pixmap);
    return window;
}

Window CreatePlainWindow(Display* display, Window parent, const TRect& rect, unsigned long pixel,
                         unsigned border) {
    const Window window = XCreateSimpleWindow(display, parent, rect.Left, rect.Top, rect.Width(),
                                              rect.Height(), border, 0, pixel);
    XSelectInput(display, window, StructureNotifyMask);
    return window;
}

void MapAndWait(Display* display, Window window) {
    XMapWindow(display, window);
    XEvent event;
    do {
        XWindowEvent(display, window, StructureNotifyMask, &event);
    } while (event.type != MapNotify);
    XSync(display, False);
}

void MovePointer(Display* display, TPoint to) {
    XTestFakeMotionEvent(display, 0, to.x, to.y, CurrentTime);
    XSync(display, False);
}

void PressButton(Display* display, bool down, unsigned button) {
    XTestFakeButtonEvent(display, button, down, CurrentTime);
    XSync(display, False);
}

void TapChord(Display* display, std::initializer_list<KeySym> modifiers, KeySym key) {
    auto send = [display](KeySym keysym, bool down) {
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, keysym), down, CurrentTime);
    };
    for (KeySym modifier : modifiers)
        send(modifier, true);
    send(key, true);
    send(key, false);
    for (auto modifier = std::rbegin(modifiers); modifier != std::rend(modifiers); ++modifier)
        send(*modifier, false);
    XSync(display, False);
}

void WaitForWindowManager(Display* display) {
    const Window root = DefaultRootWindow(display);
    const Window probe = XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(display, probe, PropertyChangeMask);
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = probe;
    request.xclient.message_type = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
    request.xclient.format = 32;
    XSendEvent(display, root, False, SubstructureNotifyMask | SubstructureRedirectMask, &request);
    const Atom extents = XInternAtom(display, "_NET_FRAME_EXTENTS", False);
    XEvent event;
    do {
        XWindowEvent(display, probe, PropertyChangeMask, &event);
    } while (event.xproperty.atom != extents);
    XDestroyWindow(display, probe);
    XSync(display, False);
}

namespace {

// How many of Ctrl+B's lock states another client holds, and of how many.
std::pair<int, int> CtrlBStatesHeldElsewhere(Display* display) {
    const Window root = DefaultRootWindow(display);
    const KeyCode b = XKeysymToKeycode(display, XK_b);
    const std::vector<unsigned> states = HotKeyModifierStates(display);
    int held = 0;
    // One state at a time, so that each refusal is known.
    for (unsigned state : states) {
        XErrorTrap trap(display);
        XGrabKey(display, b, state, root, False, GrabModeAsync, GrabModeAsync);
        XSync(display, False);
        if (trap.SawBadAccess())
            ++held;
        else
            XUngrabKey(display, b, state, root);
    }
    XSync(display, False);
    return {held, static_cast<int>(states.size())};
}

} // namespace

bool CtrlBFree(Display* display) {
    return CtrlBStatesHeldElsewhere(display).first == 0;
}

bool CtrlBHeldElsewhere(Display* display) {
    const auto [held, states] = CtrlBStatesHeldElsewhere(display);
    return held == states;
}

std::vector<unsigned long> ScreenPixels(Display* display, const TRect& rect) {
    XImage* image = XGetImage(display, DefaultRootWindow(display), rect.Left, rect.Top,
                              rect.Width(), rect.Height(), AllPlanes, ZPixmap);
    std::vector<unsigned long> pixels;
    if (!image) return pixels;
    for (int y = 0; y < rect.Height(); ++y)
        for (int x = 0; x < rect.Width(); ++x)
            pixels.push_back(XGetPixel(image, x, y));
    XDestroyImage(image);
    return pixels;
}

TColor RootPixel(Display* display, int x, int y) {
    XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    Visual* visual = DefaultVisual(display, DefaultScreen(display));
    auto channel = [&](unsigned long mask) {
        const int shift = std::countr_zero(mask);
        const unsigned long top = mask >> shift;
        return static_cast<int>((((pixel & mask) >> shift) * 255 + top / 2) / top);
    };
    return MakeColor(channel(visual->red_mask), channel(visual->green_mask),
                     channel(visual->blue_mask));
}

} // namespace zorvic::testing
