#pragma once
// Small picture fixtures and comparisons shared by the pixel-routine tests.
#include "PixelHelpers.h"
#include "TBitmap.h"

#include <cstdint>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

namespace zorvic::testing {

inline TColor Grey(int v) {
    return MakeColor(v, v, v);
}

// A 24-bit picture of random colours, the same for the same seed.
inline TBitmap RandomPicture(int width, int height, unsigned seed = 1) {
    TBitmap bmp(width, height);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bmp.ScanLine(y);
        for (int i = 0; i < 3 * width; ++i)
            row[i] = static_cast<std::uint8_t>(random());
    }
    return bmp;
}

inline TBitmap Uniform(int width, int height, TColor color) {
    TBitmap bmp(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bmp.SetPixel(x, y, color);
    return bmp;
}

// Colours listed row by row from the top.
inline TBitmap FromColors(int width, int height, std::initializer_list<TColor> colors) {
    TBitmap bmp(width, height);
    auto color = colors.begin();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bmp.SetPixel(x, y, *color++);
    return bmp;
}

inline std::vector<TColor> Colors(const TBitmap& bmp) {
    std::vector<TColor> colors;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            colors.push_back(bmp.GetPixel(x, y));
    return colors;
}

// Empty when both pictures have the same size and colours; otherwise the first difference.
inline std::string FirstDifference(const TBitmap& actual, const TBitmap& expected) {
    if (actual.Width() != expected.Width() || actual.Height() != expected.Height())
        return "size " + std::to_string(actual.Width()) + "x" + std::to_string(actual.Height()) +
               ", expected " + std::to_string(expected.Width()) + "x" +
               std::to_string(expected.Height());
    for (int y = 0; y < actual.Height(); ++y)
        for (int x = 0; x < actual.Width(); ++x)
            if (actual.GetPixel(x, y) != expected.GetPixel(x, y))
                return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")";
    return {};
}

// Records progress calls as "max N" and "at N".
class ProgressLog : public TProgress {
public:
    void SetMax(int maximum) override { calls.push_back("max " + std::to_string(maximum)); }
    void SetPosition(int position) override { calls.push_back("at " + std::to_string(position)); }
    std::vector<std::string> calls;
};

} // namespace zorvic::testing
