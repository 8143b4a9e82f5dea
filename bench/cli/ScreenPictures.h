#pragma once
#include "TBitmap.h"

namespace zorvic::bench {

// Deterministic 1920x1080 stand-ins for screenshots, drawn pixel by pixel with hard edges and
// small dark glyphs in lines, as a desktop with text looks to a JPEG coder: one nearly empty (a
// flat wallpaper, a task bar and one window with two lines of text), one busy (overlapping
// windows full of text over a gradient, icons on the desktop).
TBitmap MakeNearlyEmptyScreen();
TBitmap MakeBusyScreen();

} // namespace zorvic::bench
