#pragma once
#include "TBitmap.h"

namespace zorvic {

// The longer side of a preview thumbnail; smaller pictures are enlarged to it.
inline constexpr int kThumbnailSide = 180;

// A 24-bit thumbnail of the picture, its longer side kThumbnailSide pixels and the shorter in
// proportion (truncated, but at least 1 so that the thinnest picture still shows), stretched
// nearest-pixel: rows and columns are dropped or repeated, never blended.
TBitmap MakeThumbnail(const TBitmap& picture);

} // namespace zorvic
