#include "PixelArt.h"
#include "TBitmap.h"
#include "TCanvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zorvic {
namespace {

using test::Gradient;
using test::SamePixels;

constexpr TColor kUntouched = 0x123456;

TBitmap Filled(int width, int height, TColor color, TPixelFormat format = TPixelFormat::pf24bit) {
    TBitmap bitmap(width, height, format);
    bitmap.Canvas().Brush.Color = color;
    bitmap.Canvas().FillRect({0, 0, width, height});
    return bitmap;
}

// Checks every destination pixel: inside `dest` it must be the source pixel `sample` names
// (or unchanged when that lies outside the source), outside `dest` unchanged.
template <typename Sample>
void ExpectCopy(const TBitmap& result, const TBitmap& source, const TRect& dest, Sample sample,
                const std::string& what) {
    int wrong = 0;
    for (int y = 0; y < result.Height(); ++y)
        for (int x = 0; x < result.Width(); ++x) {
            TColor expected = kUntouched;
            if (x >= dest.Left && x < dest.Right && y >= dest.Top && y < dest.Bottom) {
                const TPoint s = sample(x - dest.Left, y - dest.Top);
                const TColor c = source.GetPixel(s.x, s.y);
                if (c != TBitmap::kInvalidColor) expected = c;
            }
            if (result.GetPixel(x, y) != expected && wrong++ < 3)
                ADD_FAILURE() << what << ": pixel " << x << "," << y;
        }
}

TEST(CanvasCopy, OneToOneCopiesTheRectangleAndLeavesOutsideSourcePixelsAlone) {
    const TBitmap source = Gradient(20, 15);
    const std::vector<TRect> sourceRects{
        {3, 2, 13, 10}, {-4, 2, 6, 10}, {15, -3, 25, 5}, {12, 10, 22, 18}, {-30, -30, -20, -22}};
    for (TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit})
        for (const TRect& from : sourceRects) {
            TBitmap dest = Filled(16, 12, kUntouched, format);
            const TRect to{4, 3, 14, 11};
            dest.Canvas().CopyRect(to, source, from);
            ExpectCopy(
                dest, source, to,
                [&](int i, int j) {
                    return TPoint{from.Left + i, from.Top + j};
                },
                "1:1 from " + std::to_string(from.Left) + "," + std::to_string(from.Top));
        }
}

TEST(CanvasCopy, ColorOnColorDropsOrRepeatsRowsAndColumns) {
    const TBitmap source = Gradient(21, 13);
    const std::vector<std::pair<TRect, TRect>> cases{
        {{0, 0, 21, 13}, {0, 0, 42, 26}},  // double
        {{0, 0, 21, 13}, {1, 2, 11, 8}},   // about half
        {{2, 1, 9, 13}, {0, 0, 17, 5}},    // odd ratios, wider and flatter
        {{-5, -2, 16, 11}, {3, 3, 30, 20}} // part of the source outside
    };
    for (TPixelFormat sourceFormat : {TPixelFormat::pf24bit, TPixelFormat::pf32bit})
        for (TPixelFormat destFormat : {TPixelFormat::pf24bit, TPixelFormat::pf32bit})
            for (const auto& [from, to] : cases) {
                TBitmap converted = source;
                converted.SetPixelFormat(sourceFormat);
                TBitmap dest = Filled(44, 28, kUntouched, destFormat);
                dest.Canvas().CopyRect(to, converted, from);
                ExpectCopy(
                    dest, source, to,
                    [&](int i, int j) {
                        return TPoint{from.Left + i * from.Width() / to.Width(),
                                      from.Top + j * from.Height() / to.Height()};
                    },
                    "stretch to " + std::to_string(to.Width()) + "x" + std::to_string(to.Height()));
            }
}

TEST(CanvasCopy, IndexedPicturesCopyThroughTheirColours) {
    TBitmap source(6, 4, TPixelFormat::pf4bit);
    const std::vector<TColor>& colours = source.Palette();
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            source.SetPixel(x, y, colours[(x + 4 * y) % 16]);
    TBitmap dest = Filled(12, 8, kUntouched);
    dest.Canvas().StretchDraw({0, 0, 12, 8}, source);
    ExpectCopy(
        dest, source, {0, 0, 12, 8},
        [](int i, int j) {
            return TPoint{i / 2, j / 2};
        },
        "4 bits");

    TBitmap indexed(6, 4, TPixelFormat::pf8bit);
    indexed.Canvas().Draw(0, 0, source);
    EXPECT_TRUE(SamePixels(indexed, source));
}

TEST(CanvasCopy, HalftoneAveragesTheCoveredSourcePixels) {
    TBitmap source(4, 2);
    const TColor row0[] = {MakeColor(0, 0, 0), MakeColor(100, 10, 1), MakeColor(200, 20, 3),
                           MakeColor(255, 30, 4)};
    const TColor row1[] = {MakeColor(50, 40, 2), MakeColor(51, 0, 2), MakeColor(10, 90, 0),
                           MakeColor(0, 255, 9)};
    for (int x = 0; x < 4; ++x) {
        source.SetPixel(x, 0, row0[x]);
        source.SetPixel(x, 1, row1[x]);
    }
    for (TPixelFormat format :
         {TPixelFormat::pf24bit, TPixelFormat::pf32bit, TPixelFormat::pf8bit}) {
        TBitmap converted = source;
        converted.SetPixelFormat(format == TPixelFormat::pf8bit ? TPixelFormat::pf24bit : format);
        TBitmap dest = Filled(2, 1, kUntouched,
                              format == TPixelFormat::pf8bit ? TPixelFormat::pf32bit : format);
        dest.Canvas().StretchMode = TStretchMode::Halftone;
        dest.Canvas().StretchDraw({0, 0, 2, 1}, converted);
        // (0+100+50+51)/4 = 50.25, (10+0+40+0)/4 = 12.5 -> 13, (1+0+2+2)/4 = 1.25
        EXPECT_EQ(dest.GetPixel(0, 0), MakeColor(50, 13, 1));
        // (200+255+10+0)/4 = 116.25, (20+30+90+255)/4 = 98.75, (3+4+0+9)/4 = 4
        EXPECT_EQ(dest.GetPixel(1, 0), MakeColor(116, 99, 4));
    }
    // One row squeezed by an uneven factor: each destination pixel averages the source
    // columns it overlaps, as the far-view effect uses it.
    TBitmap row(5, 1);
    for (int x = 0; x < 5; ++x)
        row.SetPixel(x, 0, MakeColor(x * 60, 0, 0));
    TBitmap squeezed = Filled(3, 1, kUntouched);
    squeezed.Canvas().StretchMode = TStretchMode::Halftone;
    squeezed.Canvas().StretchDraw({0, 0, 3, 1}, row);
    // Columns [0,2) [1,4) [3,5): 30, 120, 210.
    EXPECT_EQ(squeezed.GetPixel(0, 0), MakeColor(30, 0, 0));
    EXPECT_EQ(squeezed.GetPixel(1, 0), MakeColor(120, 0, 0));
    EXPECT_EQ(squeezed.GetPixel(2, 0), MakeColor(210, 0, 0));
    // Source pixels outside the source take no part: a pixel that covers only such pixels
    // stays as it was, and one that covers some averages the rest.
    TBitmap partly = Filled(3, 1, kUntouched);
    partly.Canvas().StretchMode = TStretchMode::Halftone;
    partly.Canvas().CopyRect({0, 0, 3, 1}, row, {-4, 0, 8, 1});
    EXPECT_EQ(partly.GetPixel(0, 0), kUntouched);
    EXPECT_EQ(partly.GetPixel(1, 0), MakeColor(90, 0, 0));  // columns 0..3
    EXPECT_EQ(partly.GetPixel(2, 0), MakeColor(240, 0, 0)); // column 4 of 4..7
    // Enlarging samples the nearest pixel.
    TBitmap nearest = Filled(10, 2, kUntouched);
    TBitmap halftone = Filled(10, 2, kUntouched);
    halftone.Canvas().StretchMode = TStretchMode::Halftone;
    nearest.Canvas().StretchDraw({0, 0, 10, 2}, row);
    halftone.Canvas().StretchDraw({0, 0, 10, 2}, row);
    EXPECT_TRUE(SamePixels(nearest, halftone));
}

TEST(CanvasCopy, SrcAndCombinesEachChannel) {
    const TBitmap source = Gradient(8, 6);
    for (bool stretched : {false, true}) {
        const auto before = [](int x, int y) { return (x + y) % 2 ? clWhite : TColor(0x0F33F0); };
        TBitmap dest(8, 6);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 8; ++x)
                dest.SetPixel(x, y, before(x, y));
        dest.Canvas().CopyMode = TCopyMode::SrcAnd;
        dest.Canvas().CopyRect({0, 0, 8, 6}, source,
                               stretched ? TRect{0, 0, 4, 3} : TRect{0, 0, 8, 6});
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 8; ++x) {
                const TColor s = stretched ? source.GetPixel(x / 2, y / 2) : source.GetPixel(x, y);
                EXPECT_EQ(dest.GetPixel(x, y), before(x, y) & s) << x << "," << y;
            }
    }
}

TEST(CanvasCopy, CopyingWithinOnePictureReadsTheOriginalPixels) {
    // Made apart from the picture under test, so it cannot share that picture's pixels.
    const TBitmap original = Gradient(12, 12);
    TBitmap bitmap = Gradient(12, 12);
    bitmap.Canvas().CopyRect({2, 2, 12, 12}, bitmap, {0, 0, 10, 10});
    for (int y = 2; y < 12; ++y)
        for (int x = 2; x < 12; ++x)
            ASSERT_EQ(bitmap.GetPixel(x, y), original.GetPixel(x - 2, y - 2));
    EXPECT_EQ(bitmap.GetPixel(1, 1), original.GetPixel(1, 1));
}

TEST(CanvasCopy, EmptyOrInvertedRectanglesCopyNothing) {
    const TBitmap source = Gradient(5, 5);
    TBitmap dest = Filled(5, 5, kUntouched);
    for (const auto& [to, from] :
         std::vector<std::pair<TRect, TRect>>{{{0, 0, 0, 5}, {0, 0, 5, 5}},
                                              {{0, 0, 5, 5}, {3, 0, 1, 5}},
                                              {{5, 5, 0, 0}, {0, 0, 5, 5}}})
        dest.Canvas().CopyRect(to, source, from);
    EXPECT_TRUE(SamePixels(dest, Filled(5, 5, kUntouched)));
}

TEST(CanvasCopy, DrawPlacesThePictureAndDrawTransparentSkipsItsKeyColour) {
    TBitmap mark = Filled(4, 3, clBlack);
    mark.SetPixel(1, 1, clRed);
    mark.SetPixel(3, 2, clLime);
    TBitmap dest = Filled(6, 5, kUntouched);
    dest.Canvas().DrawTransparent(3, 2, mark, clBlack);
    dest.Canvas().Draw(-3, -2, mark);
    const std::map<TColor, char> legend{
        {kUntouched, '.'}, {clBlack, '#'}, {clRed, 'r'}, {clLime, 'g'}};
    EXPECT_EQ(test::Art(dest, legend), "g.....|......|......|....r.|......");
}

} // namespace
} // namespace zorvic
