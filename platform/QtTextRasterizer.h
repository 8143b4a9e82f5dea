#pragma once
#include "TCanvas.h"

#include <string>

namespace zorvic {

// Qt's font engine as the raster core's text rasterizer, so canvas text (Chinese included,
// through the fonts fontconfig finds) draws into bitmaps; a QGuiApplication must exist.
// The coverage of one line of text: as wide as its advance, as high as the font's line.
// A negative TFont.Height is the character height in pixels; a positive one is the cell
// height (character plus internal leading); 0 is the default size.
TTextMask RasterizeTextWithQt(const std::string& utf8, const TFont& font);

} // namespace zorvic
