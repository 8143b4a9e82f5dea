// Every routine on empty, single-pixel, single-row and single-column pictures: nothing may
// divide by zero or reach past a row (run under AddressSanitizer to see the latter).
#include "Adjustments.h"
#include "Distortions.h"
#include "Filters.h"
#include "Noise.h"
#include "OneShotEffects.h"
#include "Spray.h"
#include "TestPictures.h"
#include "Transforms.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace zorvic {
namespace {

struct Routine {
    std::string name;
    std::function<void(TBitmap&)> run;
    // Size of the result for a w x h picture.
    std::function<std::pair<int, int>(int, int)> size = [](int w, int h) {
        return std::pair{w, h};
    };
};

std::vector<Routine> AllRoutines() {
    static testing::ProgressLog progress; // outlives the routines that report to it
    auto copyForm = [](auto routine) {
        return [routine](TBitmap& bmp) {
            TBitmap dst;
            routine(bmp, dst);
            bmp = dst;
        };
    };
    auto swapped = [](int w, int h) { return std::pair{h, w}; };
    return {
        {"MonoNoise", [](TBitmap& b) { MonoNoise(b, 510); }},
        {"ColorNoise", [](TBitmap& b) { ColorNoise(b, 510); }},
        {"Splash", [](TBitmap& b) { Splash(b, 32); }},
        {"Mosaic", [](TBitmap& b) { Mosaic(b, 64); }},
        {"AdjustRGBTo", copyForm([](TBitmap& s, TBitmap& d) { AdjustRGBTo(s, d, 5, -5, 127); })},
        {"AdjustRGB", [&](TBitmap& b) { AdjustRGB(b, -128, 3, 4, &progress); }},
        {"AdjustBrightnessTo",
         copyForm([](TBitmap& s, TBitmap& d) { AdjustBrightnessTo(s, d, 9); })},
        {"AdjustBrightness", [&](TBitmap& b) { AdjustBrightness(b, -9, &progress); }},
        {"AdjustContrast", [](TBitmap& b) { AdjustContrast(b, -100); }},
        {"AdjustSaturationTo",
         copyForm([](TBitmap& s, TBitmap& d) { AdjustSaturationTo(s, d, 510); })},
        {"AdjustSaturation", [&](TBitmap& b) { AdjustSaturation(b, 100, &progress); }},
        {"Sharpen", [](TBitmap& b) { Sharpen(b, 200); }},
        {"Neon", [](TBitmap& b) { Neon(b, -20); }},
        {"Blur", [](TBitmap& b) { Convolve3x3(kBlurKernel, kBlurDivisor, b); }},
        {"InvertColors", InvertColors},
        {"TwoColors", TwoColors},
        {"Grayscale", Grayscale},
        {"Exposure", [&](TBitmap& b) { Exposure(b, &progress); }},
        {"Sculpture", [&](TBitmap& b) { Sculpture(b, &progress); }},
        {"Relief", [&](TBitmap& b) { Relief(b, &progress); }},
        {"Twist", copyForm([](TBitmap& s, TBitmap& d) { Twist(s, d, 150); })},
        {"Wave", [](TBitmap& b) { Wave(b, 2, 6, 2); }},
        {"FarView", copyForm([](TBitmap& s, TBitmap& d) { FarView(s, d, 300, 600); }),
         [](int, int h) {
             return std::pair{600, h};
         }},
        {"RotateBitmap90", RotateBitmap90, swapped},
        {"RotateBitmap180", RotateBitmap180},
        {"RotateBitmap270", RotateBitmap270, swapped},
        {"RotateBitmap", copyForm([](TBitmap& s, TBitmap& d) { RotateBitmap(s, d, 37); }),
         [](int w, int h) {
             return std::pair{std::max(w, h), std::max(w, h)};
         }},
        {"FlipHorizontal", FlipHorizontal},
        {"FlipVertical", FlipVertical},
        {"MirrorHorizontal", MirrorHorizontal,
         [](int w, int h) {
             return std::pair{2 * w, h};
         }},
        {"MirrorVertical", MirrorVertical,
         [](int w, int h) {
             return std::pair{w, 2 * h};
         }},
        {"MirrorSymmetrical", MirrorSymmetrical},
        {"Translate", [](TBitmap& b) { Translate(b, -1, 1); }},
        {"SprayAt",
         [](TBitmap& b) {
             SprayAt(b, {0, 0}, 30, clRed);
         }},
    };
}

TEST(TinyPictures, EveryRoutineCopesAndSizesItsResult) {
    const int sizes[][2] = {{0, 0}, {1, 1}, {1, 5}, {5, 1}, {2, 2}, {3, 1}, {0, 3}, {3, 0}};
    for (const Routine& routine : AllRoutines()) {
        for (const auto& size : sizes) {
            TBitmap picture = testing::RandomPicture(size[0], size[1]);
            routine.run(picture);
            const auto [w, h] = routine.size(size[0], size[1]);
            EXPECT_EQ(picture.Width(), w) << routine.name << " on " << size[0] << "x" << size[1];
            EXPECT_EQ(picture.Height(), h) << routine.name << " on " << size[0] << "x" << size[1];
        }
    }
}

} // namespace
} // namespace zorvic
