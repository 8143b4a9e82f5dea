#include "PixelMemory.h"
#include "TBitmap.h"

#include <gtest/gtest.h>

#include <cstring>

namespace zorvic {
namespace {

constexpr std::size_t kMegabyte = std::size_t{1} << 20;

TEST(PixelMemory, TheLargeBufferReleasedLastServesTheNextOfItsSizeOnly) {
    std::uint8_t* released = nullptr;
    {
        TPixelBuffer first = AllocatePixels(25 * kMegabyte);
        released = first.get();
    }
    // Rounded to the same 2 MB multiple: the released buffer again.
    TPixelBuffer again = AllocatePixels(25 * kMegabyte - 100);
    EXPECT_EQ(again.get(), released);
    TPixelBuffer another = AllocatePixels(25 * kMegabyte);
    EXPECT_NE(another.get(), released);
    again.reset();
    TPixelBuffer larger = AllocatePixels(29 * kMegabyte);
    EXPECT_NE(larger.get(), released);
    std::memset(larger.get(), 0x5A, 29 * kMegabyte);
    EXPECT_EQ(larger[29 * kMegabyte - 1], 0x5A);
}

TEST(PixelMemory, ABitmapInAReusedBufferStartsWhite) {
    {
        TBitmap dark(3000, 2000);
        for (int y = 0; y < dark.Height(); ++y)
            std::memset(dark.ScanLine(y), 0, static_cast<std::size_t>(dark.Stride()));
    }
    const TBitmap fresh(3000, 2000);
    EXPECT_EQ(fresh.GetPixel(0, 0), clWhite);
    EXPECT_EQ(fresh.GetPixel(2999, 1999), clWhite);
}

} // namespace
} // namespace zorvic
