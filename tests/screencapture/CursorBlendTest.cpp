#include "FakeDesktop.h"
#include "ScreenCapture.h"

#include <gtest/gtest.h>

namespace zorvic {
namespace {

TBitmap Grey(int width, int height, int level) {
    TBitmap bitmap(width, height, TPixelFormat::pf32bit);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, MakeColor(level, level, level));
    return bitmap;
}

CursorImage OnePixel(std::uint32_t argb, TPoint hotSpot = {}) {
    return {1, 1, hotSpot, {argb}};
}

TEST(CursorBlend, PremultipliedAndStraightPictures) {
    const struct {
        std::uint32_t argb;
        int screen;
        TColor expected;
    } cases[] = {
        {0xFFFFFFFF, 77, clWhite},                   // opaque
        {0x00000000, 77, MakeColor(77, 77, 77)},     // transparent
        {0x80404040, 200, MakeColor(164, 164, 164)}, // half: 64 + 200 * 127 / 255
        {0x80800000, 0, MakeColor(128, 0, 0)},       // half red over black
        {0x80FF0000, 0, MakeColor(128, 0, 0)},       // red above alpha: straight, no overflow
        {0x80FF0000, 255, MakeColor(255, 127, 127)}, // straight: 255 * 128 + 255 * 127
    };
    for (const auto& c : cases) {
        TBitmap capture = Grey(3, 3, c.screen);
        BlendCursor(capture, OnePixel(c.argb), 1, 1);
        EXPECT_EQ(capture.GetPixel(1, 1), c.expected) << std::hex << c.argb;
        EXPECT_EQ(capture.GetPixel(0, 0), MakeColor(c.screen, c.screen, c.screen));
    }
}

TEST(CursorBlend, IsClippedAtEveryEdge) {
    CursorImage cursor{3, 3, {}, std::vector<std::uint32_t>(9, 0xFF0000FF)};
    for (const TPoint at : {TPoint{-2, -2}, TPoint{3, 3}, TPoint{-5, 0}, TPoint{4, 4}}) {
        TBitmap capture = Grey(4, 4, 0);
        BlendCursor(capture, cursor, at.x, at.y);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) {
                const bool covered = x >= at.x && x < at.x + 3 && y >= at.y && y < at.y + 3;
                EXPECT_EQ(capture.GetPixel(x, y), covered ? clBlue : clBlack);
            }
    }
}

TEST(CursorBlend, DrawCursorPutsTheHotSpotOnThePointerOfThePrimaryMonitor) {
    auto desktop = std::make_shared<FakeDesktop>();
    PlatformServices platform = desktop->Services();
    desktop->Primary = {100, 0, 2020, 1080};
    desktop->CursorPosition = {150, 40};
    desktop->Cursor = CursorImage{2, 2, {1, 1}, {0, 0, 0, 0xFFFF0000}};
    TBitmap capture;
    GrabScreen(capture, platform);
    DrawCursor(capture, platform);
    EXPECT_EQ(capture.GetPixel(50, 40), clRed);
    EXPECT_EQ(capture.GetPixel(49, 39), clBlack);

    desktop->Cursor.reset();
    TBitmap untouched;
    GrabScreen(untouched, platform);
    DrawCursor(untouched, platform);
    EXPECT_EQ(untouched.GetPixel(50, 40), clBlack);
}

} // namespace
} // namespace zorvic
