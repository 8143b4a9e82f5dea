// gtest before Xlib, whose macros (Bool, None) break its templates.
#include <gtest/gtest.h>

#include "ScreenCapture.h"
#include "X11TestTools.h"

namespace zorvic::testing {
namespace {

constexpr int kCursorSize = 16;
constexpr TPoint kHotSpot{4, 3};

// The cursor's shape: a 5 x 5 square off its top-left corner.
bool InShape(int x, int y) {
    return x >= 2 && x < 7 && y >= 1 && y < 6;
}

// A red two-colour cursor on the root window; `visible` false gives one with an empty mask.
void SetRootCursor(Display* display, bool visible) {
    const Window root = DefaultRootWindow(display);
    char source[kCursorSize * kCursorSize / 8];
    char mask[sizeof source] = {};
    std::fill(std::begin(source), std::end(source), '\xFF');
    for (int y = 0; y < kCursorSize && visible; ++y)
        for (int x = 0; x < kCursorSize; ++x)
            if (InShape(x, y)) mask[y * 2 + x / 8] |= static_cast<char>(1 << (x % 8));
    const Pixmap sourcePixmap =
        XCreateBitmapFromData(display, root, source, kCursorSize, kCursorSize);
    const Pixmap maskPixmap = XCreateBitmapFromData(display, root, mask, kCursorSize, kCursorSize);
    XColor red{0, 0xFFFF, 0, 0, DoRed | DoGreen | DoBlue, 0};
    XColor black{};
    const Cursor cursor = XCreatePixmapCursor(display, sourcePixmap, maskPixmap, &red, &black,
                                              kHotSpot.x, kHotSpot.y);
    XDefineCursor(display, root, cursor);
    XSync(display, False);
}

class CursorOverlay : public ::testing::Test {
protected:
    PrivateDisplay server{{.Width = 800, .Height = 600}};
    DisplayPtr display = Open(server);
    PlatformServices platform = MakeX11Platform(server.Name().c_str());
};

TEST_F(CursorOverlay, DrawsTheShapeWithItsHotSpotOnThePointerClippedAtTheEdges) {
    SetRootCursor(display.get(), true);
    for (const TPoint pointer : {TPoint{400, 300}, TPoint{1, 0}, TPoint{798, 599}}) {
        MovePointer(display.get(), pointer);
        TBitmap screen;
        GrabScreen(screen, platform);
        TBitmap capture = screen;
        DrawCursor(capture, platform);
        for (int y = -1; y <= kCursorSize; ++y) {
            for (int x = -1; x <= kCursorSize; ++x) {
                const int sx = pointer.x - kHotSpot.x + x, sy = pointer.y - kHotSpot.y + y;
                const TColor expected = InShape(x, y) ? clRed : screen.GetPixel(sx, sy);
                if (sx < 0 || sy < 0 || sx >= 800 || sy >= 600) continue;
                ASSERT_EQ(capture.GetPixel(sx, sy), expected)
                    << "pointer " << pointer.x << "," << pointer.y << " cursor pixel " << x << ","
                    << y;
            }
        }
    }
}

TEST_F(CursorOverlay, DrawsNothingWhenTheCursorIsInvisible) {
    SetRootCursor(display.get(), false);
    MovePointer(display.get(), {200, 200});
    EXPECT_FALSE(GetForeignCursor(platform).has_value());
    TBitmap capture;
    GrabScreen(capture, platform);
    const TBitmap before = capture;
    DrawCursor(capture, platform);
    for (int y = 190; y < 220; ++y)
        for (int x = 190; x < 220; ++x)
            ASSERT_EQ(capture.GetPixel(x, y), before.GetPixel(x, y));
}

} // namespace
} // namespace zorvic::testing
