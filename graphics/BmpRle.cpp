#include "BmpPixels.h"

#include <algorithm>
#include <vector>

namespace zorvic {

namespace {

// A run of 255 pixels in two bytes is the densest coding of pixels, about 128 a byte; twice that
// leaves room for the moves that skip pixels. A file that claims more pixels for its data is
// refused before any picture is made.
constexpr unsigned long long kMostPixelsPerCodedByte = 256;

// Walks the coded pixels from the bottom row up and calls paint(x, row, index) for every pixel
// they give; row 0 is the bottom row. Fails through ThrowInvalidBmp at the first code that leaves
// the picture or runs past the data, so a first walk with a painter that does nothing checks the
// whole coding before the picture is made.
template <typename Paint>
void WalkCodes(std::span<const std::uint8_t> codes, const TBmpLayout& layout,
               const std::string& name, Paint paint) {
    const bool fourBits = layout.storage == TBmpStorage::Rle4;
    const int width = layout.width;
    const int height = layout.height;
    // Some coders code whole stored rows, padding included: those pixels are dropped.
    const int rowEnd = fourBits ? (width + 7) / 8 * 8 : (width + 3) / 4 * 4;
    auto put = [&](int x, int y, int index) {
        if (x < width) paint(x, y, index);
    };
    auto index = [fourBits](std::uint8_t byte, int i) {
        return fourBits ? (i & 1 ? byte & 0x0F : byte >> 4) : byte;
    };
    auto require = [&](bool condition, const char* reason) {
        if (!condition) ThrowInvalidBmp(name, reason);
    };
    constexpr const char* kPastRow = "its compressed pixels run past the end of a row";
    constexpr const char* kPastLastRow = "its compressed pixels run past the last row";
    constexpr const char* kCut = "the file ends inside its compressed pixels";
    int x = 0;
    int y = 0;
    std::size_t at = 0;
    for (;;) {
        if (codes.size() - at < 2) {
            // Without an end-of-picture code, the coding must have finished every row.
            require(y == height || (y == height - 1 && x >= width), kCut);
            return;
        }
        const int count = codes[at];
        const std::uint8_t value = codes[at + 1];
        at += 2;
        if (count > 0) { // a run of one index, or of two alternating 4-bit ones
            require(y < height, kPastLastRow);
            require(count <= rowEnd - x, kPastRow);
            for (int i = 0; i < count; ++i)
                put(x + i, y, index(value, i));
            x += count;
            continue;
        }
        switch (value) {
        case 0: // end of row
            require(y < height, kPastLastRow);
            x = 0;
            ++y;
            break;
        case 1: // end of picture
            return;
        case 2: { // move right and up
            require(codes.size() - at >= 2, kCut);
            const int right = codes[at];
            const int up = codes[at + 1];
            at += 2;
            require(right <= rowEnd - x && up < height - y,
                    "a move in its compressed pixels leaves the picture");
            x += right;
            y += up;
            break;
        }
        default: { // `value` indices given one by one, padded to an even number of bytes
            const std::size_t bytes = fourBits ? (value + 1u) / 2 : value;
            require(y < height, kPastLastRow);
            require(value <= rowEnd - x, kPastRow);
            require(codes.size() - at >= bytes, kCut);
            for (int i = 0; i < value; ++i)
                put(x + i, y, index(codes[at + (fourBits ? i / 2 : i)], i));
            x += value;
            at = std::min(codes.size(), at + bytes + (bytes & 1));
        }
        }
    }
}

} // namespace

TBitmap ReadRlePixels(const TBmpLayout& layout, const TByteSource& source,
                      const std::string& name) {
    const unsigned long long pixels = static_cast<unsigned long long>(layout.width) * layout.height;
    if (pixels > kMostPixelsPerCodedByte * layout.pixelBytes)
        ThrowInvalidBmp(name, "its " + std::to_string(layout.pixelBytes) +
                                  " bytes of compressed pixels cannot hold " +
                                  std::to_string(layout.width) + " x " +
                                  std::to_string(layout.height) + " pixels");
    std::vector<std::uint8_t> codes(layout.pixelBytes);
    const TByteRange all{codes.data(), codes.size()};
    if (!source(layout.pixelOffset, {&all, 1}))
        ThrowInvalidBmp(name, "the file ends inside its compressed pixels");
    WalkCodes(codes, layout, name, [](int, int, int) {});

    // Indices past the colour table are black, as in a picture of indices.
    std::vector<TColor> colours = layout.palette;
    colours.resize(256, clBlack);
    auto put = [&colours](std::uint8_t* pixel, int index) {
        pixel[0] = static_cast<std::uint8_t>(BlueOf(colours[index]));
        pixel[1] = static_cast<std::uint8_t>(GreenOf(colours[index]));
        pixel[2] = static_cast<std::uint8_t>(RedOf(colours[index]));
    };
    TBitmap bitmap = TBitmap::WithoutFill(layout.width, layout.height, TPixelFormat::pf24bit);
    for (int y = 0; y < layout.height; ++y) {
        std::uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < layout.width; ++x)
            put(row + 3 * x, 0);
    }
    int rowNumber = -1;
    std::uint8_t* row = nullptr;
    WalkCodes(codes, layout, name, [&](int x, int fileRow, int index) {
        if (fileRow != rowNumber) {
            rowNumber = fileRow;
            row = bitmap.ScanLine(layout.height - 1 - fileRow);
        }
        put(row + 3 * x, index);
    });
    return bitmap;
}

} // namespace zorvic
