#pragma once
// Small pictures as text for the tests: one character per pixel, rows separated by '|'.
#include "TBitmap.h"

#include <map>
#include <string>

namespace zorvic::test {

// The picture's pixels as characters, by a colour legend; colours not in it give '?'.
inline std::string Art(const TBitmap& bitmap, const std::map<TColor, char>& legend) {
    std::string art;
    for (int y = 0; y < bitmap.Height(); ++y) {
        if (y > 0) art += '|';
        for (int x = 0; x < bitmap.Width(); ++x) {
            const auto found = legend.find(bitmap.GetPixel(x, y));
            art += found == legend.end() ? '?' : found->second;
        }
    }
    return art;
}

// A picture where every pixel has its own colour, so that any moved or lost pixel shows.
inline TBitmap Gradient(int width, int height, TPixelFormat format = TPixelFormat::pf24bit) {
    TBitmap bitmap(width, height, format);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, MakeColor(x * 7 + y, y * 5 + 3 * x, (x * y) ^ 0x5A));
    return bitmap;
}

inline bool SamePixels(const TBitmap& a, const TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.GetPixel(x, y) != b.GetPixel(x, y)) return false;
    return true;
}

} // namespace zorvic::test
