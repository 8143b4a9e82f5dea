#pragma once
#include "TBitmap.h"

namespace zorvic {

// In-place random effects. They draw from the program-wide generator (Random.h) in a fixed
// order, so a given seed always gives the same picture. Amount 0 changes nothing but still
// advances the generator.

// One offset RandomBelow(Amount) - Amount/2 per pixel, added to all three channels (0..510).
void MonoNoise(TBitmap& bmp, int amount);
// Three offsets per pixel, drawn for blue, green, red in that order (0..510).
void ColorNoise(TBitmap& bmp, int amount);
// Each pixel, visited column by column, takes the present colour of a random pixel up to
// Amount - 1 pixels up or left or Amount pixels right or down (0..32); targets outside the
// picture leave it as it is.
void Splash(TBitmap& bmp, int amount);

} // namespace zorvic
