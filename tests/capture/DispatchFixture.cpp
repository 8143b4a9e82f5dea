#include "DispatchFixture.h"

namespace zorvic::testing {

TColor ScreenPattern(int x, int y) {
    return MakeColor(x & 0xFF, y & 0xFF, ((x >> 8) + (y >> 8) * 16) & 0xFF);
}

TBitmap PatternScreen(int width, int height) {
    TBitmap screen(width, height, TPixelFormat::pf24bit);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = screen.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            const TColor color = ScreenPattern(x, y);
            row[3 * x] = BlueOf(color);
            row[3 * x + 1] = GreenOf(color);
            row[3 * x + 2] = RedOf(color);
        }
    }
    return screen;
}

::testing::AssertionResult IsScreenPart(const TBitmap& picture, const TBitmap& screen,
                                        const TRect& rect) {
    if (picture.Width() != rect.Width() || picture.Height() != rect.Height())
        return ::testing::AssertionFailure()
               << "size " << picture.Width() << "x" << picture.Height() << ", expected "
               << rect.Width() << "x" << rect.Height();
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            if (picture.GetPixel(x, y) != screen.GetPixel(rect.Left + x, rect.Top + y))
                return ::testing::AssertionFailure()
                       << "pixel " << x << "," << y << " is not screen pixel " << rect.Left + x
                       << "," << rect.Top + y;
    return ::testing::AssertionSuccess();
}

DispatchFixture::DispatchFixture(std::optional<PlatformServices> real)
    : platform(real ? std::move(*real) : desktop->Services()) {
    desktop->Screen = PatternScreen(1920, 1080);
}

} // namespace zorvic::testing
