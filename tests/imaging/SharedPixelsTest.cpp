// Routines that rewrite every row write a picture whose pixels another bitmap shares (the
// editor's history) into new pixels in one pass: the result must be the very bytes that working
// in place gives, row padding included, and the other holder must keep its picture.
#include "Adjustments.h"
#include "Filters.h"
#include "OneShotEffects.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <utility>
#include <vector>

namespace zorvic::testing {
namespace {

std::vector<std::uint8_t> Bytes(const TBitmap& bmp) {
    std::vector<std::uint8_t> bytes;
    for (int y = 0; y < bmp.Height(); ++y)
        bytes.insert(bytes.end(), bmp.ScanLine(y), bmp.ScanLine(y) + bmp.Stride());
    return bytes;
}

TEST(SharedPixels, RoutinesGiveThePicturesOwnBytesAndLeaveTheOtherHolderAlone) {
    const std::vector<std::pair<const char*, std::function<void(TBitmap&)>>> routines = {
        {"invert", InvertColors},
        {"two colours", TwoColors},
        {"grey", Grayscale},
        {"exposure", [](TBitmap& b) { Exposure(b, nullptr); }},
        {"rgb", [](TBitmap& b) { AdjustRGB(b, 20, -10, 5, nullptr); }},
        {"brightness", [](TBitmap& b) { AdjustBrightness(b, -40, nullptr); }},
        {"contrast", [](TBitmap& b) { AdjustContrast(b, 60); }},
        {"saturation", [](TBitmap& b) { AdjustSaturation(b, 384, nullptr); }},
        {"mosaic", [](TBitmap& b) { Mosaic(b, 7); }},
    };
    // Large enough to be split over two threads, odd width so every row has padding, and the
    // padding marked so a lost byte shows.
    TBitmap original = RandomPicture(601, 501);
    const std::size_t rowBytes = 3 * 601;
    for (int y = 0; y < original.Height(); ++y)
        std::memset(original.ScanLine(y) + rowBytes, 0xA5, original.Stride() - rowBytes);
    const std::vector<std::uint8_t> originalBytes = Bytes(original);

    for (const auto& [name, routine] : routines) {
        SCOPED_TRACE(name);
        TBitmap alone = original;
        alone.ScanLine(0); // its own pixels
        routine(alone);

        const TBitmap holder = original;
        TBitmap shared = original;
        routine(shared);

        EXPECT_EQ(Bytes(shared), Bytes(alone));
        EXPECT_NE(Bytes(shared), originalBytes);
        EXPECT_EQ(Bytes(holder), originalBytes);
        EXPECT_FALSE(shared.SharesPixelsWith(holder));
    }
}

} // namespace
} // namespace zorvic::testing
