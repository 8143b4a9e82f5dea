#pragma once
#include "TBitmap.h"

#include <QString>

namespace zorvic {

class TPicStatusBar;

// A colour as the read-out names it: the standard name where it has one ("clRed"), otherwise
// "$" and eight upper-case hexadecimal digits of 00BBGGRR ("$00FF8040").
QString ColorName(TColor color);

// The status bar's colour panel (1) and position panel (2) for the picture pixel under the
// pointer. Reads one pixel; never copies the picture.
void ShowPointerReadout(TPicStatusBar& statusBar, const TBitmap& picture, TPoint at);

} // namespace zorvic
