#pragma once
#include "PixelHelpers.h"
#include "TBitmap.h"

namespace zorvic {

// Per-channel adjustments driven by the preview panel's sliders. The "To" forms read Src and
// write Dst (which they size and make 24-bit like Src); the others work in place. The forms with
// a progress report SetMax(height - 1) before the first row and SetPosition(y) after row y.
// Every routine makes a bitmap of another pixel format 24-bit first.

// Adds DR, DG, DB (each -128..127) to red, green and blue, clamped to 0..255.
void AdjustRGBTo(const TBitmap& src, TBitmap& dst, int dr, int dg, int db);
void AdjustRGB(TBitmap& bmp, int dr, int dg, int db, TProgress* progress);

// Adds Amount (-255..254) to every channel, clamped to 0..255.
void AdjustBrightnessTo(const TBitmap& src, TBitmap& dst, int amount);
void AdjustBrightness(TBitmap& bmp, int amount, TProgress* progress);

// Amount (-255..255): above 0 pushes channels away from the middle by Amount div 2, at or below 0
// pulls them towards 127 in proportion (-255 gives a flat grey 127).
void AdjustContrast(TBitmap& bmp, int amount);

// Amount (0..510): 0 is grey, 256 leaves the picture as it is, above that colours grow stronger.
// The apply form reports SetPosition(0) before SetMax(height - 1).
void AdjustSaturationTo(const TBitmap& src, TBitmap& dst, int amount);
void AdjustSaturation(TBitmap& bmp, int amount, TProgress* progress);

} // namespace zorvic
