#include "FakeDesktop.h"
#include "ScreenCapture.h"

#include <gtest/gtest.h>

namespace zorvic {
namespace {

TColor ScreenColor(int x, int y) {
    return MakeColor(x, y, x ^ y);
}

class Crops : public ::testing::Test {
protected:
    Crops() {
        for (int y = 0; y < desktop->Screen.Height(); ++y)
            for (int x = 0; x < desktop->Screen.Width(); ++x)
                desktop->Screen.SetPixel(x, y, ScreenColor(x, y));
        GrabScreen(capture, platform);
    }

    // Every pixel of the result is the screen's at the rectangle's place, black off the screen.
    void ExpectCopyOf(const TRect& rect) const {
        ASSERT_EQ(result.Width(), rect.Width());
        ASSERT_EQ(result.Height(), rect.Height());
        EXPECT_EQ(result.PixelFormat(), capture.PixelFormat());
        for (int y = 0; y < result.Height(); ++y)
            for (int x = 0; x < result.Width(); ++x) {
                const int sx = rect.Left + x, sy = rect.Top + y;
                const bool onScreen = sx >= 0 && sy >= 0 && sx < 1920 && sy < 1080;
                ASSERT_EQ(result.GetPixel(x, y), onScreen ? ScreenColor(sx, sy) : clBlack)
                    << "result pixel " << x << "," << y;
            }
    }

    std::shared_ptr<FakeDesktop> desktop = std::make_shared<FakeDesktop>();
    PlatformServices platform = desktop->Services();
    TBitmap capture;
    TBitmap result;
};

TEST_F(Crops, ActiveWindowKeepsItsFullSizeWherePartsLieOffTheScreen) {
    const TRect rects[] = {
        {300, 200, 947, 533},     // inside
        {-50, -20, 150, 80},      // off the top-left: 50 black columns, 20 black rows
        {1800, 1000, 2000, 1100}, // off the bottom-right
        {-10, -10, 1930, 1090},   // a maximised window's frame all round
        {2000, 100, 2100, 200},   // wholly off the screen
    };
    for (const TRect& rect : rects) {
        desktop->Windows = {{7, rect}};
        desktop->Foreground = 7;
        CropActiveWindow(capture, result, platform);
        ExpectCopyOf(rect);
    }
}

TEST_F(Crops, NoWindowGivesAnEmptyResult) {
    desktop->Foreground = 0;
    CropActiveWindow(capture, result, platform);
    EXPECT_TRUE(result.Empty());
    desktop->CursorPosition = {500, 500};
    CropControl(capture, result, platform);
    EXPECT_TRUE(result.Empty());
}

TEST_F(Crops, ControlIsTheTopmostWindowUnderThePointer) {
    desktop->Windows = {{1, {100, 100, 900, 700}}, {2, {200, 150, 280, 180}}};
    desktop->CursorPosition = {210, 160};
    CropControl(capture, result, platform);
    ExpectCopyOf({200, 150, 280, 180});
    desktop->CursorPosition = {600, 600};
    CropControl(capture, result, platform);
    ExpectCopyOf({100, 100, 900, 700});
}

TEST_F(Crops, FixedRegionIsTheHoleOfTheFrame) {
    // The mouse at (1000, 500) with 600 x 400 puts the frame at (700, 300).
    CropFixedRegion(capture, result, {700, 300}, 600, 400, platform);
    ExpectCopyOf({705, 305, 1305, 705});
    EXPECT_EQ(result.GetPixel(0, 0), ScreenColor(705, 305));
    CropFixedRegion(capture, result, {1700, -100}, 301, 200, platform);
    ExpectCopyOf({1705, -95, 2006, 105});
}

TEST_F(Crops, PrimaryMonitorRightOfAnotherShiftsScreenCoordinates) {
    desktop->Primary = {1280, 0, 3200, 1080};
    desktop->Windows = {{3, {1380, 50, 1480, 90}}};
    desktop->Foreground = 3;
    CropActiveWindow(capture, result, platform);
    ExpectCopyOf({100, 50, 200, 90});
}

} // namespace
} // namespace zorvic
