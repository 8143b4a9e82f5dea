#include "Ink.h"

#include <algorithm>
#include <cstring>

namespace zorvic {

namespace {

std::uint8_t Mix(TPenMode mode, std::uint8_t pen, std::uint8_t pixel) {
    const unsigned p = pen;
    const unsigned d = pixel;
    unsigned result = 0;
    switch (mode) {
    case TPenMode::pmBlack:
        result = 0;
        break;
    case TPenMode::pmWhite:
        result = 0xFF;
        break;
    case TPenMode::pmNop:
        result = d;
        break;
    case TPenMode::pmNot:
        result = ~d;
        break;
    case TPenMode::pmCopy:
        result = p;
        break;
    case TPenMode::pmNotCopy:
        result = ~p;
        break;
    case TPenMode::pmMergePenNot:
        result = p | ~d;
        break;
    case TPenMode::pmMaskPenNot:
        result = p & ~d;
        break;
    case TPenMode::pmMergeNotPen:
        result = ~p | d;
        break;
    case TPenMode::pmMaskNotPen:
        result = ~p & d;
        break;
    case TPenMode::pmMerge:
        result = p | d;
        break;
    case TPenMode::pmNotMerge:
        result = ~(p | d);
        break;
    case TPenMode::pmMask:
        result = p & d;
        break;
    case TPenMode::pmNotMask:
        result = ~(p & d);
        break;
    case TPenMode::pmXor:
        result = p ^ d;
        break;
    case TPenMode::pmNotXor:
        result = ~(p ^ d);
        break;
    }
    return static_cast<std::uint8_t>(result);
}

// Clips a run of row y to the bitmap; false when nothing is left.
bool ClipRun(const TBitmap& bitmap, int y, long long& x0, long long& x1) {
    if (y < 0 || y >= bitmap.Height()) return false;
    x0 = std::max<long long>(x0, 0);
    x1 = std::min<long long>(x1, bitmap.Width());
    return x0 < x1;
}

// 24-bit rows: the ink repeats every 3 bytes, so 48-byte blocks (a multiple of 3 and of the
// vector width) see one fixed pattern and the compiler vectorises the block loop.
void Paint24(std::uint8_t* row, int x0, int x1, const TInk& ink) {
    constexpr int kBlock = 48;
    std::uint8_t keep[kBlock], flip[kBlock];
    for (int i = 0; i < kBlock; ++i) {
        keep[i] = ink.Keep[i % 3];
        flip[i] = ink.Flip[i % 3];
    }
    std::uint8_t* p = row + 3 * x0;
    std::size_t bytes = static_cast<std::size_t>(x1 - x0) * 3;
    for (; bytes >= kBlock; bytes -= kBlock, p += kBlock)
        for (int i = 0; i < kBlock; ++i)
            p[i] = static_cast<std::uint8_t>((p[i] & keep[i]) ^ flip[i]);
    for (std::size_t i = 0; i < bytes; ++i)
        p[i] = static_cast<std::uint8_t>((p[i] & keep[i]) ^ flip[i]);
}

// 32-bit rows: one word per pixel; the spare byte is kept as it is.
void Paint32(std::uint8_t* row, int x0, int x1, const TInk& ink) {
    std::uint32_t keep = 0xFF000000u, flip = 0;
    for (int i = 0; i < 3; ++i) {
        keep |= static_cast<std::uint32_t>(ink.Keep[i]) << (8 * i);
        flip |= static_cast<std::uint32_t>(ink.Flip[i]) << (8 * i);
    }
    for (std::uint8_t* p = row + 4 * x0; p < row + 4 * x1; p += 4) {
        std::uint32_t pixel;
        std::memcpy(&pixel, p, 4);
        pixel = (pixel & keep) ^ flip;
        std::memcpy(p, &pixel, 4);
    }
}

} // namespace

TInk MakeInk(TColor color, TPenMode mode) {
    const std::uint8_t channels[3] = {static_cast<std::uint8_t>(BlueOf(color)),
                                      static_cast<std::uint8_t>(GreenOf(color)),
                                      static_cast<std::uint8_t>(RedOf(color))};
    TInk ink;
    for (int i = 0; i < 3; ++i) {
        const std::uint8_t onZero = Mix(mode, channels[i], 0x00);
        const std::uint8_t onOne = Mix(mode, channels[i], 0xFF);
        ink.Flip[i] = onZero;
        ink.Keep[i] = static_cast<std::uint8_t>(onZero ^ onOne);
    }
    return ink;
}

bool TInk::OnlyFlips() const {
    return Keep[0] == 0xFF && Keep[1] == 0xFF && Keep[2] == 0xFF;
}

bool TInk::KeepsPixels() const {
    for (int i = 0; i < 3; ++i)
        if (Keep[i] != 0xFF || Flip[i] != 0) return false;
    return true;
}

TColor TInk::Apply(TColor pixel) const {
    const int b = (BlueOf(pixel) & Keep[0]) ^ Flip[0];
    const int g = (GreenOf(pixel) & Keep[1]) ^ Flip[1];
    const int r = (RedOf(pixel) & Keep[2]) ^ Flip[2];
    return MakeColor(r, g, b);
}

void PaintRun(TBitmap& bitmap, int y, long long x0, long long x1, const TInk& ink) {
    // An ink that keeps every pixel (white under not-xor, as a rubber band's default fill) has
    // nothing to paint; skipping it also leaves a shared picture unshared.
    if (ink.KeepsPixels()) return;
    if (!ClipRun(bitmap, y, x0, x1)) return;
    const int from = static_cast<int>(x0);
    const int to = static_cast<int>(x1);
    switch (bitmap.PixelFormat()) {
    case TPixelFormat::pf24bit:
        Paint24(bitmap.ScanLine(y), from, to, ink);
        break;
    case TPixelFormat::pf32bit:
        Paint32(bitmap.ScanLine(y), from, to, ink);
        break;
    default:
        // Indexed pictures go through colours: the result maps to the nearest table entry.
        for (int x = from; x < to; ++x)
            bitmap.SetPixel(x, y, ink.Apply(bitmap.GetPixel(x, y)));
    }
}

void PaintPixel(TBitmap& bitmap, long long x, long long y, const TInk& ink) {
    if (y < 0 || y >= bitmap.Height()) return;
    PaintRun(bitmap, static_cast<int>(y), x, x + 1, ink);
}

bool HatchCovers(TBrushStyle style, int x, int y) {
    const int cx = x & 7;
    const int cy = y & 7;
    const bool horizontal = cy == 0;
    const bool vertical = cx == 0;
    const bool forward = ((cx - cy) & 7) == 0;  // "\" from top left to bottom right
    const bool backward = ((cx + cy) & 7) == 7; // "/"
    switch (style) {
    case TBrushStyle::bsSolid:
        return true;
    case TBrushStyle::bsClear:
        return false;
    case TBrushStyle::bsHorizontal:
        return horizontal;
    case TBrushStyle::bsVertical:
        return vertical;
    case TBrushStyle::bsFDiagonal:
        return forward;
    case TBrushStyle::bsBDiagonal:
        return backward;
    case TBrushStyle::bsCross:
        return horizontal || vertical;
    case TBrushStyle::bsDiagCross:
        return forward || backward;
    }
    return false;
}

void PaintBrushRun(TBitmap& bitmap, int y, long long x0, long long x1, const TInk& ink,
                   TBrushStyle style) {
    if (style == TBrushStyle::bsClear) return;
    if (style == TBrushStyle::bsSolid) {
        PaintRun(bitmap, y, x0, x1, ink);
        return;
    }
    if (!ClipRun(bitmap, y, x0, x1)) return;
    for (long long x = x0; x < x1; ++x)
        if (HatchCovers(style, static_cast<int>(x), y)) PaintPixel(bitmap, x, y, ink);
}

} // namespace zorvic
