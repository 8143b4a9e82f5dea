#include "QtTextRasterizer.h"
#include "TBitmap.h"
#include "TCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zorvic {
namespace {

int InkedPixels(const TTextMask& mask) {
    return static_cast<int>(std::count_if(mask.Coverage.begin(), mask.Coverage.end(),
                                          [](std::uint8_t c) { return c >= 128; }));
}

TFont ChineseFont(int height) {
    TFont font;
    font.Name = "WenQuanYi Micro Hei";
    font.Height = height;
    return font;
}

TEST(QtTextRasterizer, ChineseTextGivesCoverageOfTheFontsPixelHeight) {
    const TTextMask mask = RasterizeTextWithQt("已经保存到指定目录下！", ChineseFont(-16));
    EXPECT_GE(mask.Height, 16);
    EXPECT_LE(mask.Height, 24);
    EXPECT_GE(mask.Width, 10 * 14); // eleven full-width characters
    EXPECT_EQ(mask.Coverage.size(), static_cast<std::size_t>(mask.Width) * mask.Height);
    EXPECT_GT(InkedPixels(mask), 300);
}

TEST(QtTextRasterizer, StyleAndSizeChangeTheCoverage) {
    TFont plain = ChineseFont(-14);
    TFont bold = plain;
    bold.Bold = true;
    TFont underlined = plain;
    underlined.Underline = true;
    const int plainInk = InkedPixels(RasterizeTextWithQt("宽:320 高:200", plain));
    EXPECT_GT(InkedPixels(RasterizeTextWithQt("宽:320 高:200", bold)), plainInk);
    EXPECT_GT(InkedPixels(RasterizeTextWithQt("宽:320 高:200", underlined)), plainInk);
    // A positive height is the whole cell, which the line must fit.
    EXPECT_LE(RasterizeTextWithQt("高", ChineseFont(20)).Height, 20);
    EXPECT_GT(RasterizeTextWithQt("高", ChineseFont(-40)).Width,
              RasterizeTextWithQt("高", ChineseFont(-12)).Width);
}

TEST(QtTextRasterizer, CanvasTextFillsItsCellWithASolidBrush) {
    const TTextRasterizerOverride qtFonts(RasterizeTextWithQt);
    TBitmap bitmap(200, 40);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Font = ChineseFont(-16);
    canvas.Font.Color = clBlue;
    canvas.Brush.Color = clYellow;
    const TPoint extent = canvas.TextExtent("截图");
    ASSERT_GT(extent.x, 0);
    canvas.TextOut(5, 4, "截图");
    int yellow = 0, bluish = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            const TColor c = bitmap.GetPixel(x, y);
            const bool inCell = x >= 5 && x < 5 + extent.x && y >= 4 && y < 4 + extent.y;
            if (!inCell) {
                ASSERT_EQ(c, clWhite) << x << "," << y;
            }
            yellow += c == clYellow;
            bluish += BlueOf(c) > 128 && RedOf(c) < 128;
        }
    EXPECT_GT(yellow, extent.x * extent.y / 4);
    EXPECT_EQ(bitmap.GetPixel(5, 4), clYellow); // the cell's corners lie outside the glyphs
    EXPECT_EQ(bitmap.GetPixel(5 + extent.x - 1, 4 + extent.y - 1), clYellow);
    EXPECT_GT(bluish, 30);

    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.TextOut(100, 4, "截图");
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 100; x < bitmap.Width(); ++x)
            ASSERT_NE(bitmap.GetPixel(x, y), clYellow);
}

} // namespace
} // namespace zorvic
