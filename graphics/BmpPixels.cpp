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

// The bytes of one row of the file, padded to four.
std::size_t FileStride(const TBmpLayout& layout) {
    return static_cast<std::size_t>((static_cast<long long>(layout.width) * layout.bits + 31) / 32 *
                                    4);
}

unsigned long long FileRowsBytes(const TBmpLayout& layout) {
    return static_cast<unsigned long long>(FileStride(layout)) * layout.height;
}

[[noreturn]] void ThrowIncomplete(const TBmpLayout& layout, const std::string& name) {
    ThrowInvalidBmp(name, "the file ends before its pixel data is complete (" +
                              std::to_string(FileRowsBytes(layout)) + " bytes needed, " +
                              std::to_string(layout.pixelBytes) + " present)");
}

// The bytes of one file row, after checking that the file holds every row.
std::size_t CheckedFileStride(const TBmpLayout& layout, const std::string& name) {
    if (FileRowsBytes(layout) > layout.pixelBytes) ThrowIncomplete(layout, name);
    return FileStride(layout);
}

// Which picture row a row of the file is: bottom-up files start with the last.
int PictureRow(const TBmpLayout& layout, int fileRow) {
    return layout.topDown ? fileRow : layout.height - 1 - fileRow;
}

// Rows at the picture's own depth go straight from the file into the picture, all in one read.
TBitmap ReadOwnDepthRows(const TBmpLayout& layout, const TByteSource& source,
                         const std::string& name) {
    const std::size_t stride = CheckedFileStride(layout, name);
    const TPixelFormat format = FormatOfDepth(layout.bits);
    // Every pixel comes from the file.
    TBitmap bitmap = TBitmap::WithoutFill(layout.width, layout.height, format);
    if (HasPalette(format)) bitmap.SetPalette(layout.palette);
    std::vector<TByteRange> rows(static_cast<std::size_t>(layout.height));
    for (int fileRow = 0; fileRow < layout.height; ++fileRow)
        rows[fileRow] = {bitmap.ScanLine(PictureRow(layout, fileRow)), stride};
    // A file that shrank since its size was taken.
    if (!source(layout.pixelOffset, rows)) ThrowIncomplete(layout, name);
    if (format == TPixelFormat::pf32bit)
        for (int y = 0; y < layout.height; ++y) {
            std::uint8_t* row = bitmap.ScanLine(y);
            for (int x = 0; x < layout.width; ++x)
                row[4 * x + 3] = 0;
        }
    return bitmap;
}

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

    // Where the next file row goes.
    std::uint8_t* FileRow() { return row_.data(); }
    // That row into a 24-bit row of the picture.
    void Convert(std::uint8_t* to) const {
        if (bytesPerPixel_ == 2)
            Expand<2>(to);
        else
            Expand<4>(to);
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

// Masked pixels, a file row at a time into a row of their own, then into the picture's row.
TBitmap ReadMaskedRows(const TBmpLayout& layout, const TByteSource& source,
                       const std::string& name) {
    const std::size_t stride = CheckedFileStride(layout, name);
    TBitmap bitmap = TBitmap::WithoutFill(layout.width, layout.height, TPixelFormat::pf24bit);
    TMaskedRows rows(layout);
    for (int fileRow = 0; fileRow < layout.height; ++fileRow) {
        const TByteRange row{rows.FileRow(), stride};
        if (!source(layout.pixelOffset + stride * fileRow, {&row, 1}))
            ThrowIncomplete(layout, name);
        rows.Convert(bitmap.ScanLine(PictureRow(layout, fileRow)));
    }
    return bitmap;
}

} // namespace

TBitmap ReadBmpPixels(const TBmpLayout& layout, const TByteSource& source,
                      const std::string& name) {
    switch (layout.storage) {
    case TBmpStorage::Rows:
        return ReadOwnDepthRows(layout, source, name);
    case TBmpStorage::Masks:
        return ReadMaskedRows(layout, source, name);
    default:
        return ReadRlePixels(layout, source, name);
    }
}

} // namespace zorvic
