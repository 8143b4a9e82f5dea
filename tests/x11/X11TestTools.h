#pragma once
// Small Xlib helpers for the tests: windows with known content, waiting for the server.
#include "PrivateDisplay.h"
#include "TColor.h"
#include "TPoint.h"

#include <X11/Xlib.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <memory>

namespace zorvic::testing {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

DisplayPtr Open(const PrivateDisplay& server);

// A known colour for every pixel, so that a misplaced or mis-ordered copy shows.
TColor PatternAt(int x, int y);

// A window showing PatternAt (from its own top-left corner) as its background.
Window CreatePatternWindow(Display* display, Window parent, const TRect& rect);
// A window of one background pixel value.
Window CreatePlainWindow(Display* display, Window parent, const TRect& rect,
                         unsigned long pixel = 0, unsigned border = 0);
// Maps the window and returns once it is on the screen.
void MapAndWait(Display* display, Window window);

// Polls until the condition holds; false after the timeout.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(5));

// The pointer moved and the first button pressed or released through XTest, as by a user's
// hand; both return once the server has them.
void MovePointer(Display* display, TPoint to);
void PressButton(Display* display, bool down);
// Presses the modifiers in order, taps the key, releases the modifiers in reverse, through
// XTest; returns once the server has them.
void TapChord(Display* display, std::initializer_list<KeySym> modifiers, KeySym key);

// The colour of one root-window pixel as 0x00BBGGRR, read through the visual's masks.
TColor RootPixel(Display* display, int x, int y);

} // namespace zorvic::testing
