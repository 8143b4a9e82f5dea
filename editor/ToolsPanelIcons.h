#pragma once
#include "ToolsPanel.h"

#include <QIcon>

namespace zorvic {

// The palette's button pictures, drawn at run time so the program ships no image files.
QIcon ToolIcon(TTool tool);
QIcon BlurToolIcon();
QIcon ExchangeColorsIcon();

} // namespace zorvic
