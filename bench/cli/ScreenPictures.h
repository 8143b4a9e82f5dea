#pragma once
#include "TBitmap.h"

namespace zorvic::bench {

// A deterministic 1920x1080 stand-in for a nearly empty screen, drawn pixel by pixel: a flat
// wallpaper, a task bar and one window with two lines of small dark glyphs, hard-edged as a
// desktop looks to a JPEG coder. (The busy screen is SyntheticScreenshot's.)
TBitmap MakeNearlyEmptyScreen();

} // namespace zorvic::bench
