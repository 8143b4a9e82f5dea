#include "FillJournal.h"
#include "PixelArt.h"
#include "TBitmap.h"
#include "TCanvas.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

namespace zorvic {
namespace {

using test::Art;
using test::Gradient;
using test::SamePixels;

const std::map<TColor, char> kLegend{{clWhite, '.'}, {clBlack, '#'}, {clRed, 'o'}};

// A white picture whose canvas draws black outlines filled red.
TBitmap Sheet(int width, int height, TPixelFormat format = TPixelFormat::pf24bit) {
    TBitmap bitmap(width, height, format);
    bitmap.Canvas().Pen.Color = clBlack;
    bitmap.Canvas().Brush.Color = clRed;
    return bitmap;
}

TEST(CanvasFigures, RectangleLeavesOutItsRightAndBottomEdges) {
    for (const auto& [x1, y1, x2, y2] : std::vector<std::array<int, 4>>{
             {0, 0, 10, 5}, {10, 5, 0, 0}, {0, 5, 10, 0}, {10, 0, 0, 5}}) {
        TBitmap bitmap = Sheet(12, 6);
        bitmap.Canvas().Rectangle(x1, y1, x2, y2);
        EXPECT_EQ(Art(bitmap, kLegend), "##########..|"
                                        "#oooooooo#..|"
                                        "#oooooooo#..|"
                                        "#oooooooo#..|"
                                        "##########..|"
                                        "............")
            << x1 << "," << y1 << " - " << x2 << "," << y2;
    }
}

TEST(CanvasFigures, EllipseIsInscribedInItsBox) {
    TBitmap bitmap = Sheet(11, 8);
    bitmap.Canvas().Ellipse(0, 0, 10, 7);
    EXPECT_EQ(Art(bitmap, kLegend), "..######...|"
                                    ".#oooooo#..|"
                                    "#oooooooo#.|"
                                    "#oooooooo#.|"
                                    "#oooooooo#.|"
                                    ".#oooooo#..|"
                                    "..######...|"
                                    "...........");
}

TEST(CanvasFigures, RoundRectCutsCornersAndTakesNegativeSizesByMagnitude) {
    TBitmap positive = Sheet(13, 8);
    positive.Canvas().RoundRect(0, 0, 12, 7, 8, 6);
    EXPECT_EQ(Art(positive, kLegend), "..########...|"
                                      ".#oooooooo#..|"
                                      "#oooooooooo#.|"
                                      "#oooooooooo#.|"
                                      "#oooooooooo#.|"
                                      ".#oooooooo#..|"
                                      "..########...|"
                                      ".............");
    TBitmap negative = Sheet(13, 8);
    negative.Canvas().RoundRect(12, 7, 0, 0, -8, -6);
    EXPECT_TRUE(SamePixels(positive, negative));
}

TEST(CanvasFigures, CornerSizesBeyondTheBoxGiveTheEllipse) {
    TBitmap rounded = Sheet(20, 12);
    rounded.Canvas().RoundRect(2, 1, 17, 11, 500, 300);
    TBitmap ellipse = Sheet(20, 12);
    ellipse.Canvas().Ellipse(2, 1, 17, 11);
    EXPECT_TRUE(SamePixels(rounded, ellipse));
}

TEST(CanvasFigures, LineLeavesOutItsFinalPixelAndMovesThePen) {
    TBitmap bitmap = Sheet(7, 4);
    TCanvas& canvas = bitmap.Canvas();
    canvas.MoveTo(1, 0);
    canvas.LineTo(5, 0);
    canvas.MoveTo(0, 3);
    canvas.LineTo(6, 1);
    EXPECT_EQ(canvas.PenPos(), (TPoint{6, 1}));
    EXPECT_EQ(Art(bitmap, kLegend), ".####..|"
                                    ".....#.|"
                                    "..###..|"
                                    "##.....");
    // A line to its own start draws nothing, whatever the pen's width.
    for (int width : {1, 5}) {
        TBitmap empty = Sheet(3, 3);
        empty.Canvas().Pen.Width = width;
        empty.Canvas().MoveTo(1, 1);
        empty.Canvas().LineTo(1, 1);
        EXPECT_EQ(Art(empty, kLegend), "...|...|...");
    }
}

TEST(CanvasFigures, ClosedXorPolylineHitsEveryCornerOnce) {
    TBitmap bitmap = Sheet(8, 5);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen.Color = clWhite; // white XOR white = black where hit once, white where hit twice
    canvas.Pen.Mode = TPenMode::pmXor;
    const TPoint band[] = {{1, 1}, {1, 3}, {6, 3}, {6, 1}, {1, 1}};
    canvas.MoveTo(7, 4);
    canvas.Polyline(band);
    EXPECT_EQ(Art(bitmap, kLegend), "........|"
                                    ".######.|"
                                    ".#....#.|"
                                    ".######.|"
                                    "........");
    EXPECT_EQ(canvas.PenPos(), (TPoint{7, 4})); // a polyline leaves the pen where it was
}

TEST(CanvasFigures, MixModesCombinePenAndPixelBitwise) {
    const TColor pixel = 0x3366C9;
    const TColor pen = 0x0FF05A;
    const std::vector<std::pair<TPenMode, TColor>> cases{
        {TPenMode::pmBlack, 0},
        {TPenMode::pmWhite, 0xFFFFFF},
        {TPenMode::pmNop, pixel},
        {TPenMode::pmNot, ~pixel},
        {TPenMode::pmCopy, pen},
        {TPenMode::pmNotCopy, ~pen},
        {TPenMode::pmMergePenNot, pen | ~pixel},
        {TPenMode::pmMaskPenNot, pen & ~pixel},
        {TPenMode::pmMergeNotPen, ~pen | pixel},
        {TPenMode::pmMaskNotPen, ~pen & pixel},
        {TPenMode::pmMerge, pen | pixel},
        {TPenMode::pmNotMerge, ~(pen | pixel)},
        {TPenMode::pmMask, pen & pixel},
        {TPenMode::pmNotMask, ~(pen & pixel)},
        {TPenMode::pmXor, pen ^ pixel},
        {TPenMode::pmNotXor, ~(pen ^ pixel)},
    };
    for (TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit})
        for (const auto& [mode, expected] : cases) {
            TBitmap bitmap(37, 4, format); // long enough for the block loops of wide runs
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 37; ++x)
                    bitmap.SetPixel(x, y, pixel);
            TCanvas& canvas = bitmap.Canvas();
            canvas.Pen = {pen, TPenStyle::psSolid, 1, mode};
            canvas.Brush.Color = pen;
            canvas.Rectangle(0, 0, 37, 4); // outline and fill both mix
            for (TPoint p :
                 {TPoint{0, 0}, TPoint{1, 1}, TPoint{20, 2}, TPoint{35, 2}, TPoint{36, 3}})
                EXPECT_EQ(bitmap.GetPixel(p.x, p.y), expected & 0xFFFFFF)
                    << "mode " << static_cast<int>(mode) << " at " << p.x << "," << p.y;
        }
}

// Every figure the canvas draws, for the restore and clipping tests.
const std::vector<std::pair<std::string, std::function<void(TCanvas&, int, int)>>> kFigures{
    {"line",
     [](TCanvas& c, int dx, int dy) {
         c.MoveTo(2 + dx, 3 + dy);
         c.LineTo(37 + dx, 21 + dy);
     }},
    {"steep line",
     [](TCanvas& c, int dx, int dy) {
         c.MoveTo(30 + dx, 1 + dy);
         c.LineTo(25 + dx, 28 + dy);
     }},
    {"polyline",
     [](TCanvas& c, int dx, int dy) {
         const TPoint p[] = {{3 + dx, 3 + dy},
                             {3 + dx, 25 + dy},
                             {30 + dx, 25 + dy},
                             {30 + dx, 3 + dy},
                             {3 + dx, 3 + dy}};
         c.Polyline(p);
     }},
    {"crossing polyline",
     [](TCanvas& c, int dx, int dy) {
         const TPoint p[] = {
             {1 + dx, 1 + dy}, {35 + dx, 26 + dy}, {35 + dx, 1 + dy}, {1 + dx, 26 + dy}};
         c.Polyline(p);
     }},
    {"rectangle",
     [](TCanvas& c, int dx, int dy) { c.Rectangle(4 + dx, 2 + dy, 33 + dx, 24 + dy); }},
    {"ellipse", [](TCanvas& c, int dx, int dy) { c.Ellipse(30 + dx, 26 + dy, 3 + dx, 1 + dy); }},
    {"round rect",
     [](TCanvas& c, int dx, int dy) { c.RoundRect(2 + dx, 2 + dy, 36 + dx, 27 + dy, -14, 9); }},
};

TEST(CanvasFigures, DrawingTwiceInXorOrNotXorRestoresEveryPixel) {
    for (const auto& [name, draw] : kFigures)
        for (TPenMode mode : {TPenMode::pmXor, TPenMode::pmNotXor})
            for (int style = 0; style <= 5; ++style)
                for (int brush = 0; brush <= 7; ++brush)
                    for (int width : {1, 4}) {
                        const TBitmap original = Gradient(40, 30);
                        TBitmap bitmap = original;
                        TCanvas& canvas = bitmap.Canvas();
                        canvas.Pen = {0x35C0A7, static_cast<TPenStyle>(style), width, mode};
                        canvas.Brush = {0x1F2E3D, static_cast<TBrushStyle>(brush)};
                        draw(canvas, 0, 0);
                        const bool changed = !SamePixels(bitmap, original);
                        draw(canvas, 0, 0);
                        const std::string what =
                            name + " mode " + std::to_string(static_cast<int>(mode)) + " style " +
                            std::to_string(style) + " brush " + std::to_string(brush) + " width " +
                            std::to_string(width);
                        EXPECT_TRUE(SamePixels(bitmap, original)) << what;
                        if (style != 5 || (name.find("line") == std::string::npos && brush != 1)) {
                            EXPECT_TRUE(changed) << what << " drew nothing";
                        }
                    }
}

// A rubber band's move notes the fills of the old and the new figure and paints them together:
// the picture is the one drawing both gives, for every figure, mode, brush and overlap, also
// when the two figures' brushes differ in colour and when they reach past the edges.
TEST(CanvasFigures, FillsNotedInAJournalPaintWhatDrawingThemGives) {
    const std::pair<int, int> moves[] = {{0, 0}, {3, 2}, {-5, 4}, {25, -20}};
    for (const auto& [name, draw] : kFigures)
        for (TPenMode mode : {TPenMode::pmXor, TPenMode::pmNotXor, TPenMode::pmCopy})
            for (int brush = 0; brush <= 7; ++brush)
                for (int width : {1, 4})
                    for (const auto& [dx, dy] : moves) {
                        auto both = [&](TCanvas& canvas) {
                            canvas.Pen = {0x35C0A7, TPenStyle::psSolid, width, mode};
                            canvas.Brush = {0x1F2E3D, static_cast<TBrushStyle>(brush)};
                            draw(canvas, 0, 0);
                            canvas.Brush.Color = dx < 0 ? 0x1F2E3D : 0x808080;
                            draw(canvas, dx, dy);
                        };
                        TBitmap direct = Gradient(40, 30);
                        both(direct.Canvas());
                        TBitmap noted = Gradient(40, 30);
                        TFillJournal journal;
                        noted.Canvas().FillJournal = &journal;
                        both(noted.Canvas());
                        noted.Canvas().FillJournal = nullptr;
                        journal.Paint(noted);
                        EXPECT_TRUE(SamePixels(noted, direct))
                            << name << " mode " << static_cast<int>(mode) << " brush " << brush
                            << " width " << width << " moved " << dx << "," << dy;
                    }
}

TEST(CanvasFigures, FiguresAreClippedExactlyAtTheEdges) {
    // A figure drawn partly outside a small picture gives the same pixels as the matching
    // window of a large picture on which it lies whole.
    for (const auto& [name, draw] : kFigures)
        for (int width : {1, 3})
            for (const auto& [dx, dy] :
                 std::vector<std::pair<int, int>>{{-12, -9}, {15, 11}, {-20, 8}}) {
                TBitmap large = Sheet(80, 70);
                large.Canvas().Pen.Width = width;
                draw(large.Canvas(), 20 + dx, 20 + dy);
                TBitmap small = Sheet(40, 30);
                small.Canvas().Pen.Width = width;
                draw(small.Canvas(), dx, dy);
                bool same = true;
                for (int y = 0; y < 30; ++y)
                    for (int x = 0; x < 40; ++x)
                        same = same && large.GetPixel(x + 20, y + 20) == small.GetPixel(x, y);
                EXPECT_TRUE(same) << name << " width " << width << " at " << dx << "," << dy;
            }
}

TEST(CanvasFigures, FiguresFarOutsideThePictureDrawOnlyTheirVisiblePart) {
    struct Case {
        const char* figure;
        std::function<void(TCanvas&)> draw;
        // What each pixel of the 30 x 20 sheet shows afterwards, as a legend character.
        std::function<char(int x, int y)> shown;
    };
    const Case cases[] = {
        {"rectangle around everything",
         [](TCanvas& c) { c.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX); },
         [](int, int) { return 'o'; }},
        {"rectangle from the left", [](TCanvas& c) { c.Rectangle(-5, 10, 100, 200); },
         [](int, int y) { return y < 10    ? '.'
                                 : y == 10 ? '#'
                                           : 'o'; }},
        {"line across",
         [](TCanvas& c) {
             c.MoveTo(INT_MIN, 5);
             c.LineTo(INT_MAX, 5);
         },
         [](int, int y) { return y == 5 ? '#' : '.'; }},
        {"ellipse ending below the top",
         [](TCanvas& c) { c.Ellipse(INT_MIN, INT_MIN, INT_MAX, 3); },
         [](int, int y) { return y < 2    ? 'o'
                                 : y == 2 ? '#'
                                          : '.'; }},
        // Along x + y = -1; seven pixels wide, it reaches x + y = 3 inside the picture.
        {"wide line past the corner",
         [](TCanvas& c) {
             c.Pen.Width = 7;
             c.MoveTo(INT_MAX, INT_MIN);
             c.LineTo(INT_MIN, INT_MAX);
         },
         [](int x, int y) { return x + y <= 3 ? '#' : '.'; }},
        {"polyline beyond the corner",
         [](TCanvas& c) {
             const TPoint beyond[] = {{-1000, -1000}, {-900, -1000}};
             c.Polyline(beyond);
         },
         [](int, int) { return '.'; }},
        {"inverted round rectangle",
         [](TCanvas& c) { c.RoundRect(INT_MAX, INT_MAX, INT_MIN, INT_MIN, INT_MIN, INT_MAX); },
         [](int, int) { return 'o'; }},
        {"line of the widest pen",
         [](TCanvas& c) {
             c.Pen.Width = INT_MAX;
             c.MoveTo(-5, 3);
             c.LineTo(40, 8);
         },
         [](int, int) { return '#'; }},
    };
    for (const Case& c : cases) {
        TBitmap bitmap = Sheet(30, 20);
        c.draw(bitmap.Canvas());
        std::string expected;
        for (int y = 0; y < 20; ++y) {
            if (y > 0) expected += '|';
            for (int x = 0; x < 30; ++x)
                expected += c.shown(x, y);
        }
        EXPECT_EQ(Art(bitmap, kLegend), expected) << c.figure;
    }
    // An ellipse outlined by the widest pen still paints every pixel it covers.
    TBitmap bitmap = Sheet(30, 20);
    bitmap.Canvas().Pen.Width = INT_MAX;
    bitmap.Canvas().Ellipse(0, 0, 30, 20);
    EXPECT_EQ(Art(bitmap, kLegend).find('.'), std::string::npos) << Art(bitmap, kLegend);
}

TEST(CanvasFigures, DashedPenShowsItsPatternAndSolidBrushFillsTheGaps) {
    TBitmap bitmap = Sheet(40, 2);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen.Style = TPenStyle::psDash;
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.MoveTo(0, 0);
    canvas.LineTo(40, 0);
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.MoveTo(0, 1);
    canvas.LineTo(40, 1);
    EXPECT_EQ(Art(bitmap, kLegend), "##################......################|"
                                    "##################oooooo################");
}

TEST(CanvasFigures, DottedOutlinesAlternateAroundTheFigure) {
    TBitmap bitmap = Sheet(12, 12);
    bitmap.Canvas().Pen.Style = TPenStyle::psDot;
    bitmap.Canvas().Brush.Style = TBrushStyle::bsClear;
    bitmap.Canvas().Rectangle(0, 0, 12, 12);
    int black = 0, white = 0;
    for (int i = 0; i < 12; ++i)
        for (TPoint p : {TPoint{i, 0}, TPoint{i, 11}, TPoint{0, i}, TPoint{11, i}})
            (bitmap.GetPixel(p.x, p.y) == clBlack ? black : white)++;
    EXPECT_GT(black, 12);
    EXPECT_GT(white, 12);
    EXPECT_EQ(bitmap.GetPixel(5, 5), clWhite);
}

TEST(CanvasFigures, HatchBrushesPaintTheirPatternOnATransparentBackground) {
    TBitmap bitmap = Sheet(10, 10);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen.Style = TPenStyle::psClear;
    canvas.Brush.Style = TBrushStyle::bsCross;
    canvas.Rectangle(0, 0, 10, 10);
    EXPECT_EQ(Art(bitmap, kLegend), "oooooooooo|"
                                    "o.......o.|"
                                    "o.......o.|"
                                    "o.......o.|"
                                    "o.......o.|"
                                    "o.......o.|"
                                    "o.......o.|"
                                    "o.......o.|"
                                    "oooooooooo|"
                                    "o.......o.");
    TBitmap diagonal = Sheet(4, 4);
    diagonal.Canvas().Brush.Style = TBrushStyle::bsFDiagonal;
    diagonal.Canvas().FillRect({0, 0, 4, 4});
    EXPECT_EQ(Art(diagonal, kLegend), "o...|.o..|..o.|...o");
}

TEST(CanvasFigures, ClearPenLetsTheBrushFillTheWholeFigure) {
    TBitmap bitmap = Sheet(5, 4);
    bitmap.Canvas().Pen.Style = TPenStyle::psClear;
    bitmap.Canvas().Rectangle(1, 1, 4, 3);
    EXPECT_EQ(Art(bitmap, kLegend), ".....|.ooo.|.ooo.|.....");
}

TEST(CanvasFigures, WidePensAreCentredOnTheOutline) {
    TBitmap bitmap = Sheet(10, 9);
    bitmap.Canvas().Pen.Width = 3;
    bitmap.Canvas().Rectangle(2, 2, 8, 7);
    EXPECT_EQ(Art(bitmap, kLegend), "..........|"
                                    ".########.|"
                                    ".########.|"
                                    ".########.|"
                                    ".###oo###.|"
                                    ".########.|"
                                    ".########.|"
                                    ".########.|"
                                    "..........");
    TBitmap line = Sheet(8, 5);
    line.Canvas().Pen.Width = 3;
    line.Canvas().MoveTo(2, 2);
    line.Canvas().LineTo(5, 2);
    EXPECT_EQ(Art(line, kLegend), "........|"
                                  ".######.|"
                                  ".######.|"
                                  ".######.|"
                                  "........");
}

TEST(CanvasFigures, IndexedAndThirtyTwoBitPicturesGetTheSameFigures) {
    TBitmap reference = Sheet(20, 14);
    reference.Canvas().RoundRect(1, 2, 18, 13, 7, 5);
    for (TPixelFormat format :
         {TPixelFormat::pf32bit, TPixelFormat::pf8bit, TPixelFormat::pf4bit}) {
        TBitmap other = Sheet(20, 14, format);
        other.Canvas().RoundRect(1, 2, 18, 13, 7, 5);
        EXPECT_EQ(Art(other, kLegend), Art(reference, kLegend)) << BitsPerPixel(format);
    }
    TBitmap mono = Sheet(6, 3, TPixelFormat::pf1bit);
    mono.Canvas().Pen.Mode = TPenMode::pmNot;
    mono.Canvas().MoveTo(0, 1);
    mono.Canvas().LineTo(6, 1);
    EXPECT_EQ(Art(mono, kLegend), "......|######|......");
}

TEST(CanvasFigures, FillRectCopiesTheBrushInEitherCornerOrder) {
    TBitmap bitmap = Sheet(5, 3);
    bitmap.Canvas().Pen.Mode = TPenMode::pmXor; // a fill ignores the pen's mix mode
    bitmap.Canvas().FillRect({4, 2, 1, 0});
    EXPECT_EQ(Art(bitmap, kLegend), ".ooo.|.ooo.|.....");
}

TEST(CanvasFigures, SinglePixelsReadAndWriteWithinThePicture) {
    TBitmap bitmap = Sheet(3, 3);
    bitmap.Canvas().SetPixel(1, 2, clRed);
    bitmap.Canvas().SetPixel(3, 0, clRed);
    EXPECT_EQ(bitmap.Canvas().GetPixel(1, 2), clRed);
    EXPECT_EQ(bitmap.Canvas().GetPixel(-1, 0), TBitmap::kInvalidColor);
    EXPECT_EQ(Art(bitmap, kLegend), "...|...|.o.");
}

// A stand-in font engine: every character is a 3 x 5 cell whose middle column is fully
// covered and whose left column is half covered.
TTextMask BlockFont(const std::string& text, const TFont&) {
    TTextMask mask;
    mask.Width = 3 * static_cast<int>(text.size());
    mask.Height = 5;
    mask.Coverage.assign(static_cast<std::size_t>(mask.Width) * mask.Height, 0);
    for (int y = 0; y < mask.Height; ++y)
        for (int c = 0; c < static_cast<int>(text.size()); ++c) {
            mask.Coverage[y * mask.Width + 3 * c] = 128;
            mask.Coverage[y * mask.Width + 3 * c + 1] = 255;
        }
    return mask;
}

TEST(CanvasText, TextBlendsByCoverageOverASolidBrushCell) {
    TBitmap bitmap = Sheet(9, 7);
    TCanvas& canvas = bitmap.Canvas();
    {
        const TTextRasterizerOverride blockFont(BlockFont);
        canvas.Font.Color = clBlack;
        canvas.TextOut(1, 1, "ab");
        EXPECT_EQ(canvas.TextExtent("ab"), (TPoint{6, 5}));
        EXPECT_EQ(canvas.PenPos(), (TPoint{7, 1}));
        EXPECT_EQ(bitmap.GetPixel(2, 1), clBlack);
        EXPECT_EQ(bitmap.GetPixel(1, 1), MakeColor(127, 0, 0)); // half way from red to black
        EXPECT_EQ(bitmap.GetPixel(3, 1), clRed);
        EXPECT_EQ(bitmap.GetPixel(0, 0), clWhite);

        canvas.Brush.Style = TBrushStyle::bsClear;
        canvas.TextOut(6, 2, "x"); // runs off the right edge: clipped
        EXPECT_EQ(bitmap.GetPixel(7, 3), clBlack);
        EXPECT_EQ(bitmap.GetPixel(8, 3), clWhite);
        EXPECT_EQ(bitmap.GetPixel(6, 6), MakeColor(127, 127, 127)); // half way from white
    }
    // Once the font engine is gone, text measures nothing.
    EXPECT_EQ(canvas.TextExtent("ab"), (TPoint{0, 0}));
}

} // namespace
} // namespace zorvic
