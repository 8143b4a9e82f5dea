#pragma once
#include "TCanvas.h"

#include <QIcon>

namespace zorvic {

// Pictures of the pen and brush styles for the buttons of the "直线矩形" page: a line drawn in
// the pen style, a square filled with the brush style.
QIcon PenStyleIcon(TPenStyle style);
QIcon BrushStyleIcon(TBrushStyle style);

} // namespace zorvic
