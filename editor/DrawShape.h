#pragma once
#include "TCanvas.h"
#include "TPoint.h"

#include <cstdint>

namespace zorvic {

// Shape kinds of the shape tools.
enum TShapeKind : std::uint8_t { skLine = 0, skRectangle = 1, skEllipse = 2, skRoundRect = 3 };

// Draws one shape of `kind` between two points with the canvas's pen and brush, after setting
// the pen's mix mode to `mode` (which stays set). Unknown kinds draw nothing.
void DrawShape(TCanvas& canvas, std::uint8_t kind, TPoint start, TPoint finish, TPenMode mode);

} // namespace zorvic
