#pragma once
#include "TBitmap.h"

namespace zorvic::bench {

inline constexpr int kPhotoWidth = 3840;
inline constexpr int kPhotoHeight = 2160;

// A deterministic 24-bit stand-in for a photograph: smooth gradients, sensor-like noise and
// hard-edged shapes, so that routines meet the mix of flat areas, edges and many colours (the
// GIF quantiser and the JPEG coder in particular) that real pictures give them.
TBitmap MakeSyntheticPhoto(int width = kPhotoWidth, int height = kPhotoHeight);

} // namespace zorvic::bench
