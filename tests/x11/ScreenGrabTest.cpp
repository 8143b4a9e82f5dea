// gtest before Xlib, whose macros (Bool, None) break its templates.
#include <gtest/gtest.h>

#include "PlatformServices.h"
#include "X11TestTools.h"

#include <X11/Xutil.h>

#include <utility>

namespace zorvic::testing {
namespace {

// Counts the pixels of the capture that differ from the root window's own image.
long DifferencesFromRoot(Display* display, const TBitmap& capture) {
    XImage* root = XGetImage(display, DefaultRootWindow(display), 0, 0, capture.Width(),
                             capture.Height(), AllPlanes, ZPixmap);
    long differences = 0;
    for (int y = 0; y < capture.Height(); ++y) {
        const std::uint8_t* row = capture.ScanLine(y);
        for (int x = 0; x < capture.Width(); ++x) {
            const unsigned long pixel = XGetPixel(root, x, y);
            const std::uint8_t* bgrx = row + 4 * x;
            differences += bgrx[0] != (pixel & 0xFF) || bgrx[1] != ((pixel >> 8) & 0xFF) ||
                           bgrx[2] != ((pixel >> 16) & 0xFF) || bgrx[3] != 0;
        }
    }
    XDestroyImage(root);
    return differences;
}

class ScreenGrabAtDepth24 : public ::testing::TestWithParam<bool> {};

TEST_P(ScreenGrabAtDepth24, EqualsTheRootImagePixelForPixel) {
    PrivateDisplay server({.Width = 1024, .Height = 768, .SharedMemory = GetParam()});
    DisplayPtr display = Open(server);
    const Window root = DefaultRootWindow(display.get());
    MapAndWait(display.get(), CreatePatternWindow(display.get(), root, {37, 59, 338, 262}));
    MapAndWait(display.get(), CreatePatternWindow(display.get(), root, {900, 700, 1100, 800}));
    PlatformServices platform = MakeX11Platform(server.Name().c_str());

    EXPECT_EQ(platform.Screen->PrimaryScreen(), (TRect{0, 0, 1024, 768}));
    TBitmap capture;
    platform.Screen->Grab(capture);
    ASSERT_EQ(capture.Width(), 1024);
    ASSERT_EQ(capture.Height(), 768);
    EXPECT_EQ(capture.PixelFormat(), TPixelFormat::pf32bit);
    EXPECT_EQ(DifferencesFromRoot(display.get(), capture), 0);
    EXPECT_EQ(capture.GetPixel(37 + 10, 59 + 20), PatternAt(10, 20));

    // A later grab lands in the same pixel store and sees the screen as it is then.
    const std::uint8_t* store = std::as_const(capture).ScanLine(0);
    MapAndWait(display.get(), CreatePlainWindow(display.get(), root, {0, 0, 50, 50}, 0x123456));
    platform.Screen->Grab(capture);
    EXPECT_EQ(std::as_const(capture).ScanLine(0), store);
    EXPECT_EQ(capture.GetPixel(10, 10), MakeColor(0x12, 0x34, 0x56));
    EXPECT_EQ(DifferencesFromRoot(display.get(), capture), 0);
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutSharedMemory, ScreenGrabAtDepth24,
                         ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Shm" : "GetImage"; });

TEST(ScreenGrabAtDepth16, ExpandsEveryChannelToEightBits) {
    PrivateDisplay server({.Width = 640, .Height = 480, .Depth = 16});
    DisplayPtr display = Open(server);
    Visual* visual = DefaultVisual(display.get(), DefaultScreen(display.get()));
    const Window root = DefaultRootWindow(display.get());
    const struct {
        unsigned long pixel;
        TColor expected;
    } stripes[] = {
        {visual->red_mask, clRed},
        {visual->green_mask, clLime},
        {visual->blue_mask, clBlue},
        {visual->red_mask | visual->green_mask | visual->blue_mask, clWhite},
        {0, clBlack},
    };
    for (int i = 0; i < 5; ++i)
        MapAndWait(display.get(),
                   CreatePlainWindow(display.get(), root, {i * 100, 0, i * 100 + 100, 100},
                                     stripes[i].pixel));
    PlatformServices platform = MakeX11Platform(server.Name().c_str());

    TBitmap capture;
    platform.Screen->Grab(capture);
    ASSERT_EQ(capture.Width(), 640);
    EXPECT_EQ(capture.PixelFormat(), TPixelFormat::pf32bit);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(capture.GetPixel(i * 100 + 50, 50), stripes[i].expected) << "stripe " << i;
}

} // namespace
} // namespace zorvic::testing
