#include "BmpPixels.h"

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

namespace zorvic {

namespace {

TPixelFormat FormatOfDepth(int bits) {
    switch (bits) {
    case 1:
        return TPixelFormat::pf1bit;
    case 4:
        return TPixelFormat::pf4bit;
    case 8:
        return TPixelFormat::pf8bit;
    case 32:
        return TPixelFormat::pf32bit;
    default:
        return TPixelFormat::pf24bit;
    }
}

// Every row of the file fetched in turn, bottom-up files from their last row, into `row(y)`; the
// length is checked before the picture is made by `make`.
template <typename Make, typename Row>
TBitmap ReadFileRows(const TBmpLayout& layout, const TByteSource& source, const std::string& name,
                     Make make, Row row) {
    const int height = layout.height;
    const std::size_t stride = static_cast<std::size_t>(
        (static_cast<long long>(layout.width) * layout.bits + 31) / 32 * 4);
    const unsigned long long needed = static_cast<unsigned long long>(stride) * height;
    const std::string incomplete = "the file ends before its pixel data is complete (" +
                                   std::to_string(needed) + " bytes needed, " +
                                   std::to_string(layout.pixelBytes) + " present)";
    if (needed > layout.pixelBytes) ThrowInvalidBmp(name, incomplete);
    TBitmap bitmap = make();
    for (int y = 0; y < height; ++y) {
        const int fileRow = layout.topDown ? y : height - 1 - y;
        std::uint8_t* into = row(bitmap, y);
        // A file that shrank since its size was taken.
        if (!source(layout.pixelOffset + stride * fileRow, into, stride))
            ThrowInvalidBmp(name, incomplete);
        row.Convert(bitmap, y);
    }
    return bitmap;
}

// Rows at the picture's own depth go straight from the file into the picture.
struct TOwnDepthRows {
    int width;
    bool spareByte;
    std::uint8_t* operator()(TBitmap& bitmap, int y) const { return bitmap.ScanLine(y); }
    void Convert(TBitmap& bitmap, int y) const {
        if (!spareByte) return;
        std::uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < width; ++x)
            row[4 * x + 3] = 0;
    }
};

// One colour channel under its mask, as an 8-bit value: narrower channels repeat their bits
// (5 bits abcde give abcdeabc), wider ones keep their top eight bits, so 8-bit values stored
// widened by repetition come back exactly.
class TChannel {
public:
    explicit TChannel(std::uint32_t mask) : mask_(mask) {
        if (mask == 0) return;
        const int width = std::popcount(mask);
        const int kept = std::min(width, 8);
        shift_ = std::countr_zero(mask) + width - kept;
        for (unsigned v = 0; v < (1u << kept); ++v) {
            unsigned value = v << (8 - kept);
            for (int s = kept; s < 8; s += kept)
                value |= (v << (8 - kept)) >> s;
            table_[v] = static_cast<std::uint8_t>(value);
        }
    }
    std::uint8_t Of(std::uint32_t pixel) const { return table_[(pixel & mask_) >> shift_]; }

private:
    std::uint32_t mask_;
    int shift_ = 0;
    std::array<std::uint8_t, 256> table_{};
};

// 16- and 32-bit pixels under colour masks, read a row at a time into 24-bit rows.
class TMaskedRows {
public:
    explicit TMaskedRows(const TBmpLayout& layout)
        : width_(layout.width), bytesPerPixel_(layout.bits / 8), red_(layout.masks[0]),
          green_(layout.masks[1]), blue_(layout.masks[2]),
          row_(static_cast<std::size_t>(layout.width) * bytesPerPixel_ + 4) {}

    std::uint8_t* operator()(TBitmap&, int) { return row_.data(); }
    void Convert(TBitmap& bitmap, int y) const {
        if (bytesPerPixel_ == 2)
            Expand<2>(bitmap.ScanLine(y));
        else
            Expand<4>(bitmap.ScanLine(y));
    }

private:
    template <int Bytes> void Expand(std::uint8_t* to) const {
        const std::uint8_t* from = row_.data();
        for (int x = 0; x < width_; ++x, from += Bytes, to += 3) {
            std::uint32_t pixel = 0;
            for (int i = 0; i < Bytes; ++i)
                pixel |= static_cast<std::uint32_t>(from[i]) << (8 * i);
            to[0] = blue_.Of(pixel);
            to[1] = green_.Of(pixel);
            to[2] = red_.Of(pixel);
        }
    }

    int width_;
    int bytesPerPixel_;
    TChannel red_, green_, blue_;
    std::vector<std::uint8_t> row_; // one file row, padding included
};

} // namespace

TBitmap ReadBmpPixels(const TBmpLayout& layout, const TByteSource& source,
                      const std::string& name) {
    switch (layout.storage) {
    case TBmpStorage::Rows: {
        const TPixelFormat format = FormatOfDepth(layout.bits);
        return ReadFileRows(
            layout, source, name,
            [&] {
                // Every pixel comes from the file.
                TBitmap bitmap = TBitmap::WithoutFill(layout.width, layout.height, format);
                if (HasPalette(format)) bitmap.SetPalette(layout.palette);
                return bitmap;
            },
            TOwnDepthRows{layout.width, format == TPixelFormat::pf32bit});
    }
    case TBmpStorage::Masks:
        return ReadFileRows(
            layout, source, name,
            [&] {
                return TBitmap::WithoutFill(layout.width, layout.height, TPixelFormat::pf24bit);
            },
            TMaskedRows(layout));
    default:
        return ReadRlePixels(layout, source, name);
    }
}

} // namespace zorvic
