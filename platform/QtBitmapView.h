#pragma once
#include "TBitmap.h"

#include <QImage>

namespace zorvic {

// A QImage showing a bitmap for display. 24-bit bitmaps (Format_BGR888), 32-bit ones
// (Format_RGB32), 8-bit (Format_Indexed8) and 1-bit ones (Format_Mono) are shown in place,
// row stride and all, without copying; 4-bit bitmaps, which Qt has no format for, are
// converted into an image of their own.
//
// A view reads the bitmap's pixel store directly: it is valid only while the bitmap lives and
// is not changed. Any write to the bitmap (drawing, ScanLine for writing, SetPixel, resizing,
// a new format, loading) may give the bitmap a new store and leave the view dangling; take a
// new view after each change, and copy the image (QImage::copy) to keep it longer.
QImage BitmapImageView(const TBitmap& bitmap);

} // namespace zorvic
