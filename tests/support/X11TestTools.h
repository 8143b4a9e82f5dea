#pragma once
// Small Xlib helpers for the tests: windows with known content, waiting for the server.
#include "PrivateDisplay.h"
#include "TColor.h"
#include "TPoint.h"
#include "WaitUntil.h"

#include <X11/Xlib.h>

#include <initializer_list>
#include <memory>
#include <vector>

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

// The pointer moved and a button (the first unless told) pressed or released through XTest, as
// by a user's hand; both return once the server has them.
void MovePointer(Display* display, TPoint to);
void PressButton(Display* display, bool down, unsigned button = 1);
// Presses the modifiers in order, taps the key, releases the modifiers in reverse, through
// XTest; returns once the server has them.
void TapChord(Display* display, std::initializer_list<KeySym> modifiers, KeySym key);

// The colour of one root-window pixel as 0x00BBGGRR, read through the visual's masks.
TColor RootPixel(Display* display, int x, int y);
// The pixel values the server shows in a rectangle of the screen, row by row, in one request.
std::vector<unsigned long> ScreenPixels(Display* display, const TRect& rect);

// Returns once the window manager has handled everything the server sent it so far (a focus
// change, a frame to redraw): it answers a request for frame extents only after those, and its
// drawing is on the server before the answer.
void WaitForWindowManager(Display* display);

// Whether nobody holds Ctrl+B under any of its lock states, or another client holds it under
// every one of them. Each look tries a grab on `display`, undone at once.
bool CtrlBFree(Display* display);
bool CtrlBHeldElsewhere(Display* display);

} // namespace zorvic::testing
