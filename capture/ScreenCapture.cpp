#include "ScreenCapture.h"

#include <algorithm>
#include <cstring>

namespace zorvic {

namespace {

std::uint8_t DivideBy255(int value) {
    return static_cast<std::uint8_t>((value + 127) / 255);
}

// The X server hands out premultiplied cursors; a picture with a colour above its alpha cannot
// be one, and is blended as straight alpha instead of brightening the screen under it.
bool IsPremultiplied(const CursorImage& cursor) {
    return std::all_of(cursor.Argb.begin(), cursor.Argb.end(), [](std::uint32_t pixel) {
        const std::uint32_t alpha = pixel >> 24;
        return ((pixel >> 16) & 0xFF) <= alpha && ((pixel >> 8) & 0xFF) <= alpha &&
               (pixel & 0xFF) <= alpha;
    });
}

std::uint8_t BlendChannel(int cursor, int alpha, int screen, bool premultiplied) {
    return premultiplied ? static_cast<std::uint8_t>(cursor + DivideBy255(screen * (255 - alpha)))
                         : DivideBy255(cursor * alpha + screen * (255 - alpha));
}

TRect MoveToCapture(TRect rect, PlatformServices& platform) {
    const TRect primary = platform.Screen->PrimaryScreen();
    return {rect.Left - primary.Left, rect.Top - primary.Top, rect.Right - primary.Left,
            rect.Bottom - primary.Top};
}

} // namespace

void GrabScreen(TBitmap& capture, PlatformServices& platform) {
    platform.Screen->Grab(capture);
}

std::optional<CursorImage> GetForeignCursor(PlatformServices& platform) {
    return platform.Cursor->Current();
}

TPoint GetCursorHotSpot(const CursorImage& cursor) {
    return cursor.HotSpot;
}

void DrawCursor(TBitmap& capture, PlatformServices& platform) {
    const std::optional<CursorImage> cursor = GetForeignCursor(platform);
    if (!cursor) return;
    const TPoint hotSpot = GetCursorHotSpot(*cursor);
    const TPoint position = platform.Cursor->Position();
    const TRect primary = platform.Screen->PrimaryScreen();
    BlendCursor(capture, *cursor, position.x - primary.Left - hotSpot.x,
                position.y - primary.Top - hotSpot.y);
}

void BlendCursor(TBitmap& capture, const CursorImage& cursor, int left, int top) {
    if (cursor.Argb.size() < static_cast<std::size_t>(cursor.Width) * cursor.Height) return;
    const bool premultiplied = IsPremultiplied(cursor);
    const int bytesPerPixel = BitsPerPixel(capture.PixelFormat()) / 8;
    const int fromX = std::max(0, -left), toX = std::min(cursor.Width, capture.Width() - left);
    const int fromY = std::max(0, -top), toY = std::min(cursor.Height, capture.Height() - top);
    for (int y = fromY; y < toY; ++y) {
        const std::uint32_t* source =
            cursor.Argb.data() + static_cast<std::size_t>(y) * cursor.Width;
        std::uint8_t* row = bytesPerPixel >= 3 ? capture.ScanLine(top + y) : nullptr;
        for (int x = fromX; x < toX; ++x) {
            const std::uint32_t pixel = source[x];
            const int alpha = static_cast<int>(pixel >> 24);
            if (alpha == 0 && premultiplied) continue;
            const int red = (pixel >> 16) & 0xFF, green = (pixel >> 8) & 0xFF, blue = pixel & 0xFF;
            if (!row) { // palette formats: through colours
                const TColor under = capture.GetPixel(left + x, top + y);
                capture.SetPixel(
                    left + x, top + y,
                    MakeColor(BlendChannel(red, alpha, RedOf(under), premultiplied),
                              BlendChannel(green, alpha, GreenOf(under), premultiplied),
                              BlendChannel(blue, alpha, BlueOf(under), premultiplied)));
                continue;
            }
            std::uint8_t* at = row + static_cast<std::size_t>(left + x) * bytesPerPixel;
            at[0] = BlendChannel(blue, alpha, at[0], premultiplied);
            at[1] = BlendChannel(green, alpha, at[1], premultiplied);
            at[2] = BlendChannel(red, alpha, at[2], premultiplied);
        }
    }
}

void CopyCaptureRect(const TBitmap& capture, const TRect& rect, TBitmap& result) {
    const int width = std::max(0, rect.Width()), height = std::max(0, rect.Height());
    result = TBitmap(width, height, capture.PixelFormat());
    result.SetPalette(capture.Palette());
    const int bits = BitsPerPixel(capture.PixelFormat());
    // The part of the rectangle on the capture, in result coordinates.
    const int fromX = std::max(0, -rect.Left), toX = std::min(width, capture.Width() - rect.Left);
    const int fromY = std::max(0, -rect.Top), toY = std::min(height, capture.Height() - rect.Top);
    for (int y = 0; y < height; ++y) {
        const bool onCapture = y >= fromY && y < toY && fromX < toX;
        if (bits < 8) {
            for (int x = 0; x < width; ++x)
                result.SetPixel(x, y,
                                onCapture && x >= fromX && x < toX
                                    ? capture.GetPixel(rect.Left + x, rect.Top + y)
                                    : clBlack);
            continue;
        }
        const int bytesPerPixel = bits / 8;
        std::uint8_t* row = result.ScanLine(y);
        std::memset(row, 0, static_cast<std::size_t>(width) * bytesPerPixel);
        if (!onCapture) continue;
        std::memcpy(row + static_cast<std::size_t>(fromX) * bytesPerPixel,
                    capture.ScanLine(rect.Top + y) +
                        static_cast<std::size_t>(rect.Left + fromX) * bytesPerPixel,
                    static_cast<std::size_t>(toX - fromX) * bytesPerPixel);
    }
}

void CropActiveWindow(const TBitmap& capture, TBitmap& result, PlatformServices& platform) {
    const TRect window = platform.Windows->OuterRect(platform.Windows->ForegroundWindow());
    CopyCaptureRect(capture, MoveToCapture(window, platform), result);
}

void CropControl(const TBitmap& capture, TBitmap& result, PlatformServices& platform) {
    const WindowId window = platform.Windows->WindowAt(platform.Cursor->Position());
    CopyCaptureRect(capture, MoveToCapture(platform.Windows->OuterRect(window), platform), result);
}

void CropFixedRegion(const TBitmap& capture, TBitmap& result, TPoint frameTopLeft, int fixedWidth,
                     int fixedHeight, PlatformServices& platform) {
    // The frame's band is 5 pixels wide; its hole starts inside it.
    const TRect hole{frameTopLeft.x + 5, frameTopLeft.y + 5, frameTopLeft.x + 5 + fixedWidth,
                     frameTopLeft.y + 5 + fixedHeight};
    CopyCaptureRect(capture, MoveToCapture(hole, platform), result);
}

} // namespace zorvic
