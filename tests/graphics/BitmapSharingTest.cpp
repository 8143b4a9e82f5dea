#include "BmpFile.h"
#include "Errors.h"
#include "PixelArt.h"
#include "TBitmap.h"
#include "TCanvas.h"

#include <gtest/gtest.h>

namespace zorvic {
namespace {

using test::Gradient;
using test::SamePixels;

TEST(BitmapSharing, CopiesShareUntilEitherIsWritten) {
    TBitmap original = Gradient(9, 7);
    const TBitmap pristine = Gradient(9, 7);
    TBitmap copy = original;
    TBitmap assigned;
    assigned = original;
    EXPECT_TRUE(copy.SharesPixelsWith(original));
    EXPECT_TRUE(assigned.SharesPixelsWith(original));

    copy.Canvas().Rectangle(0, 0, 5, 5);
    EXPECT_FALSE(copy.SharesPixelsWith(original));
    EXPECT_TRUE(SamePixels(original, pristine));
    EXPECT_TRUE(SamePixels(assigned, pristine));

    original.ScanLine(3)[0] ^= 0xFF; // a writable row detaches too
    EXPECT_FALSE(original.SharesPixelsWith(assigned));
    EXPECT_TRUE(SamePixels(assigned, pristine));
}

TEST(BitmapSharing, PaintingThatChangesNoPixelKeepsThemShared) {
    TBitmap picture = Gradient(9, 7);
    const TBitmap copy = picture;
    // A rubber band's white fill under not-xor, with no outline: every pixel stays.
    picture.Canvas().Pen.Style = TPenStyle::psClear;
    picture.Canvas().Pen.Mode = TPenMode::pmNotXor;
    picture.Canvas().Rectangle(1, 1, 8, 6);
    EXPECT_TRUE(picture.SharesPixelsWith(copy));

    picture.Canvas().Brush.Color = clRed;
    picture.Canvas().Rectangle(1, 1, 8, 6);
    EXPECT_FALSE(picture.SharesPixelsWith(copy));
}

TEST(BitmapSharing, PicturesOfManyMegabytesBehaveAsSmallOnes) {
    // These get memory of their own, mapped for huge pages, instead of the heap's.
    TBitmap big(1500, 1000, TPixelFormat::pf32bit);
    EXPECT_EQ(big.GetPixel(0, 0), clWhite);
    EXPECT_EQ(big.GetPixel(1499, 999), clWhite);
    TBitmap copy = big;
    copy.SetPixel(1499, 999, clRed);
    EXPECT_EQ(big.GetPixel(1499, 999), clWhite);
    EXPECT_EQ(copy.GetPixel(1499, 999), clRed);
    EXPECT_TRUE(SamePixels(DecodeBmp(EncodeBmp(copy), "big"), copy));
}

TEST(BitmapSharing, CanvasStateStaysWithEachObject) {
    TBitmap first(4, 4);
    first.Canvas().Pen.Color = clRed;
    first.Canvas().Brush.Style = TBrushStyle::bsClear;
    TBitmap second(2, 2);
    second.Canvas().Pen.Color = clBlue;
    second = first;
    EXPECT_EQ(second.Canvas().Pen.Color, clBlue);
    EXPECT_EQ(second.Canvas().Brush.Style, TBrushStyle::bsSolid);
    TBitmap moved(std::move(first));
    EXPECT_EQ(moved.Canvas().Pen.Color, clRed);
    moved.Canvas().MoveTo(0, 1);
    moved.Canvas().LineTo(4, 1); // the moved canvas draws on its new owner
    EXPECT_EQ(moved.GetPixel(3, 1), clRed);
    EXPECT_EQ(second.GetPixel(3, 1), clWhite);
}

TEST(BitmapSharing, PixelFormatsRoundTrip) {
    const TBitmap picture = Gradient(13, 7);
    TBitmap converted = picture;
    converted.SetPixelFormat(TPixelFormat::pf32bit);
    EXPECT_EQ(converted.Stride(), 13 * 4);
    EXPECT_TRUE(SamePixels(converted, picture));
    converted.SetPixelFormat(TPixelFormat::pf24bit);
    EXPECT_EQ(converted.Stride(), 40);
    EXPECT_TRUE(SamePixels(converted, picture));

    // Indexed formats keep colours of their own table exactly and map others to the nearest.
    for (TPixelFormat format : {TPixelFormat::pf1bit, TPixelFormat::pf4bit, TPixelFormat::pf8bit}) {
        const std::vector<TColor>& table = DefaultPalette(format);
        TBitmap tableColours(11, 5);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 11; ++x)
                tableColours.SetPixel(x, y, table[(x * 5 + y) % table.size()]);
        TBitmap indexed = tableColours;
        indexed.SetPixelFormat(format);
        EXPECT_TRUE(SamePixels(indexed, tableColours)) << BitsPerPixel(format);
        indexed.SetPixelFormat(TPixelFormat::pf24bit);
        EXPECT_TRUE(SamePixels(indexed, tableColours)) << BitsPerPixel(format);
    }
    TBitmap grey(1, 1);
    grey.SetPixel(0, 0, MakeColor(200, 190, 180));
    grey.SetPixelFormat(TPixelFormat::pf4bit);
    EXPECT_EQ(grey.GetPixel(0, 0), clSilver);
}

TEST(BitmapSharing, ResizingKeepsTheTopLeftAndWhitensTheRest) {
    // White with a black block from (1, 1) on, drawn afresh for each comparison so that no
    // expectation shares pixels with the picture under test.
    const auto blockPicture = [](TPixelFormat format) {
        TBitmap picture(9, 6, format);
        picture.Canvas().Pen.Color = clBlack;
        picture.Canvas().Brush.Color = clBlack;
        picture.Canvas().Rectangle(1, 1, 9, 6);
        return picture;
    };
    for (TPixelFormat format : {TPixelFormat::pf1bit, TPixelFormat::pf4bit, TPixelFormat::pf24bit,
                                TPixelFormat::pf32bit}) {
        TBitmap picture = blockPicture(format);
        const TBitmap before = picture;
        picture.SetSize(12, 4);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 12; ++x)
                EXPECT_EQ(picture.GetPixel(x, y), x >= 1 && x < 9 && y >= 1 ? clBlack : clWhite)
                    << BitsPerPixel(format) << " bits at " << x << "," << y;
        // The copy taken before the resize keeps its own size and pixels.
        EXPECT_EQ(before.Width(), 9);
        EXPECT_TRUE(SamePixels(before, blockPicture(format))) << BitsPerPixel(format) << " bits";
    }
}

TEST(BitmapSharing, ImpossibleSizesAreRefusedInsteadOfWrappingAround) {
    EXPECT_THROW(TBitmap(1 << 30, 4), EZorvicError);
    TBitmap bitmap(2, 2);
    EXPECT_THROW(bitmap.SetSize(300000, 300000), EZorvicError);
    EXPECT_EQ(bitmap.Width(), 2);
}

} // namespace
} // namespace zorvic
