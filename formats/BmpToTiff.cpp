#include "BmpToTiff.h"

#include "Errors.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

namespace zorvic {

namespace {

constexpr char kSoftware[] = "Vexlo soft";
constexpr std::uint32_t kSoftwareLength = sizeof(kSoftware) - 1; // written without its zero
constexpr std::uint32_t kResolutionNumerator = 877;
constexpr std::uint32_t kResolutionDenominator = 10;
constexpr std::uint32_t kHeaderSize = 8;
constexpr std::uint32_t kEntryCount = 15;
constexpr std::uint32_t kDirectorySize = 2 + 12 * kEntryCount + 4;
// Rows are gathered into blocks of about this size so the file is written in large pieces.
constexpr std::size_t kBlockBytes = 1 << 20;

enum TFieldType : std::uint16_t { kAscii = 2, kShort = 3, kLong = 4, kRational = 5 };

enum TTag : std::uint16_t {
    kNewSubfileType = 254,
    kImageWidth = 256,
    kImageLength = 257,
    kBitsPerSample = 258,
    kCompression = 259,
    kPhotometricInterpretation = 262,
    kStripOffsets = 273,
    kSamplesPerPixel = 277,
    kRowsPerStrip = 278,
    kStripByteCounts = 279,
    kXResolution = 282,
    kYResolution = 283,
    kPlanarConfiguration = 284,
    kResolutionUnit = 296,
    kSoftwareTag = 305,
    kColorMap = 320,
};

constexpr std::uint32_t kPhotometricRgb = 2;
constexpr std::uint32_t kPhotometricPalette = 3;
constexpr std::uint32_t kResolutionUnitInch = 2;

// Little-endian bytes for one block of the file.
class TBlock {
public:
    void U16(std::uint32_t value) {
        bytes_.push_back(static_cast<std::uint8_t>(value));
        bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    void U32(std::uint32_t value) {
        U16(value & 0xFFFF);
        U16(value >> 16);
    }
    void Text(const char* text, std::size_t length) {
        bytes_.insert(bytes_.end(), text, text + length);
    }
    void Entry(TTag tag, TFieldType type, std::uint32_t count, std::uint32_t value) {
        // A single SHORT sits in the first two bytes of the value field, which is what a
        // little-endian 32-bit value below 65536 gives.
        U16(tag);
        U16(type);
        U32(count);
        U32(value);
    }
    void WriteTo(TOutputStream& stream) const { stream.Write(bytes_.data(), bytes_.size()); }

private:
    std::vector<std::uint8_t> bytes_;
};

// A width or height that a SHORT field cannot hold is written as a LONG.
TFieldType SizeFieldType(int size) {
    return size > 0xFFFF ? kLong : kShort;
}

struct TLayout {
    int bits = 0;
    bool palette = false;
    std::uint32_t colorMapEntries = 0;
    std::uint64_t rowBytes = 0;
    std::uint64_t pixelBytes = 0;
};

TLayout LayoutOf(const TBitmap& bitmap) {
    TLayout layout;
    layout.bits = BitsPerPixel(bitmap.PixelFormat());
    layout.palette = HasPalette(bitmap.PixelFormat());
    const auto width = static_cast<std::uint64_t>(bitmap.Width());
    if (layout.palette) {
        layout.colorMapEntries = 1u << layout.bits;
        layout.rowBytes = (width * layout.bits + 7) / 8;
    } else {
        layout.rowBytes = 3 * width;
    }
    layout.pixelBytes = layout.rowBytes * static_cast<std::uint64_t>(bitmap.Height());
    return layout;
}

std::uint64_t FileSizeOf(const TLayout& layout) {
    const std::uint64_t beforePixels =
        layout.palette ? 34 + 6 * layout.colorMapEntries : kHeaderSize + 32;
    return beforePixels + layout.pixelBytes + kDirectorySize;
}

// Offsets are counted from where the file starts in the stream.
class TTiffOutput {
public:
    explicit TTiffOutput(TOutputStream& stream) : stream_(stream), start_(stream.Position()) {}
    std::uint32_t Offset() const { return static_cast<std::uint32_t>(stream_.Position() - start_); }
    TOutputStream& Stream() { return stream_; }

    void Header() {
        TBlock header;
        header.Text("II", 2);
        header.U16(42);
        header.U32(kHeaderSize); // fixed up once the directory's place is known
        header.WriteTo(stream_);
    }
    void Rational(std::uint32_t numerator, std::uint32_t denominator) {
        TBlock rational;
        rational.U32(numerator);
        rational.U32(denominator);
        rational.WriteTo(stream_);
    }
    void Software() { stream_.Write(kSoftware, kSoftwareLength); }
    void DirectoryOffsetFixUp(std::uint32_t directoryOffset) {
        const std::uint64_t end = stream_.Position();
        TBlock offset;
        offset.U32(directoryOffset);
        stream_.Seek(start_ + 4);
        offset.WriteTo(stream_);
        stream_.Seek(end);
    }

private:
    TOutputStream& stream_;
    std::uint64_t start_;
};

// Calls fill(row, destination) for every row from the top and writes the rows in large blocks.
template <typename FillRow>
void WriteRows(TOutputStream& stream, const TBitmap& bitmap, std::size_t rowBytes,
               FillRow fillRow) {
    const std::size_t rowsPerBlock = std::max<std::size_t>(1, kBlockBytes / rowBytes);
    std::vector<std::uint8_t> block(rowsPerBlock * rowBytes);
    for (int top = 0; top < bitmap.Height(); top += static_cast<int>(rowsPerBlock)) {
        const int rows = std::min(bitmap.Height() - top, static_cast<int>(rowsPerBlock));
        for (int i = 0; i < rows; ++i)
            fillRow(bitmap.ScanLine(top + i), block.data() + i * rowBytes);
        stream.Write(block.data(), rows * rowBytes);
    }
}

template <int BytesPerPixel> void WriteRgbPixels(TOutputStream& stream, const TBitmap& bitmap) {
    const int width = bitmap.Width();
    WriteRows(stream, bitmap, 3 * static_cast<std::size_t>(width),
              [width](const std::uint8_t* from, std::uint8_t* to) {
                  for (int x = 0; x < width; ++x, from += BytesPerPixel, to += 3) {
                      to[0] = from[2];
                      to[1] = from[1];
                      to[2] = from[0];
                  }
              });
}

void WriteIndexPixels(TOutputStream& stream, const TBitmap& bitmap, const TLayout& layout) {
    const std::size_t rowBytes = layout.rowBytes;
    // Bits past the last pixel of a row are padding: written as zeros, not as leftovers.
    const unsigned usedBits = (static_cast<unsigned>(bitmap.Width()) * layout.bits) % 8;
    const auto lastByteMask = static_cast<std::uint8_t>(usedBits ? 0xFF << (8 - usedBits) : 0xFF);
    WriteRows(stream, bitmap, rowBytes, [&](const std::uint8_t* from, std::uint8_t* to) {
        std::memcpy(to, from, rowBytes);
        to[rowBytes - 1] &= lastByteMask;
    });
}

// Offsets of the blocks before the directory, noted while they are written.
struct TBlockOffsets {
    std::uint32_t colorMap = 0;
    std::uint32_t xResolution = 0;
    std::uint32_t yResolution = 0;
    std::uint32_t bitsPerSample = 0;
    std::uint32_t software = 0;
    std::uint32_t strip = 0;
};

// The 15 entries in tag order. The RGB layout has PlanarConfiguration, the palette layout ColorMap.
TBlock DirectoryEntries(const TBitmap& bitmap, const TLayout& layout, const TBlockOffsets& at) {
    const auto height = static_cast<std::uint32_t>(bitmap.Height());
    TBlock entries;
    entries.Entry(kNewSubfileType, kLong, 1, 0);
    entries.Entry(kImageWidth, SizeFieldType(bitmap.Width()), 1,
                  static_cast<std::uint32_t>(bitmap.Width()));
    entries.Entry(kImageLength, SizeFieldType(bitmap.Height()), 1, height);
    if (layout.palette)
        entries.Entry(kBitsPerSample, kShort, 1, static_cast<std::uint32_t>(layout.bits));
    else
        entries.Entry(kBitsPerSample, kShort, 3, at.bitsPerSample);
    entries.Entry(kCompression, kShort, 1, 1);
    entries.Entry(kPhotometricInterpretation, kShort, 1,
                  layout.palette ? kPhotometricPalette : kPhotometricRgb);
    entries.Entry(kStripOffsets, kLong, 1, at.strip);
    entries.Entry(kSamplesPerPixel, kShort, 1, layout.palette ? 1 : 3);
    entries.Entry(kRowsPerStrip, kLong, 1, height);
    entries.Entry(kStripByteCounts, kLong, 1, static_cast<std::uint32_t>(layout.pixelBytes));
    entries.Entry(kXResolution, kRational, 1, at.xResolution);
    entries.Entry(kYResolution, kRational, 1, at.yResolution);
    if (!layout.palette) entries.Entry(kPlanarConfiguration, kShort, 1, 1);
    entries.Entry(kResolutionUnit, kShort, 1, kResolutionUnitInch);
    entries.Entry(kSoftwareTag, kAscii, kSoftwareLength, at.software);
    if (layout.palette) entries.Entry(kColorMap, kShort, 3 * layout.colorMapEntries, at.colorMap);
    return entries;
}

// TIFF colour maps hold 16-bit components; the 8-bit value goes in the high byte.
TBlock ColorMapOf(const TBitmap& bitmap, std::uint32_t entriesInMap) {
    const std::vector<TColor>& palette = bitmap.Palette();
    TBlock map;
    for (int (*component)(TColor) : {RedOf, GreenOf, BlueOf})
        for (std::uint32_t i = 0; i < entriesInMap; ++i)
            map.U16(i < palette.size() ? static_cast<std::uint32_t>(component(palette[i])) << 8
                                       : 0);
    return map;
}

void WriteTiff(TTiffOutput& out, const TBitmap& bitmap, const TLayout& layout) {
    TBlockOffsets at;
    out.Header();
    if (layout.palette) {
        at.colorMap = out.Offset();
        ColorMapOf(bitmap, layout.colorMapEntries).WriteTo(out.Stream());
    }
    at.xResolution = out.Offset();
    out.Rational(kResolutionNumerator, kResolutionDenominator);
    at.yResolution = out.Offset();
    out.Rational(kResolutionNumerator, kResolutionDenominator);
    if (!layout.palette) {
        at.bitsPerSample = out.Offset();
        TBlock samples;
        samples.U16(8);
        samples.U16(8);
        samples.U16(8);
        samples.WriteTo(out.Stream());
    }
    at.software = out.Offset();
    out.Software();
    at.strip = out.Offset();
    if (layout.palette)
        WriteIndexPixels(out.Stream(), bitmap, layout);
    else if (layout.bits == 32)
        WriteRgbPixels<4>(out.Stream(), bitmap);
    else
        WriteRgbPixels<3>(out.Stream(), bitmap);

    const std::uint32_t directoryOffset = out.Offset();
    TBlock directory;
    directory.U16(kEntryCount);
    directory.WriteTo(out.Stream());
    DirectoryEntries(bitmap, layout, at).WriteTo(out.Stream());
    TBlock next;
    next.U32(0);
    next.WriteTo(out.Stream());
    out.DirectoryOffsetFixUp(directoryOffset);
}

} // namespace

void WriteTiffToStream(TOutputStream& stream, const TBitmap& bitmap) {
    if (bitmap.Empty()) throw EZorvicError("Cannot save an empty picture.");
    const TLayout layout = LayoutOf(bitmap);
    // Every offset in the file is a 32-bit number.
    if (FileSizeOf(layout) > std::numeric_limits<std::uint32_t>::max())
        throw EZorvicError("The picture is too large for a TIFF file (more than 4 GB).");
    TTiffOutput out(stream);
    WriteTiff(out, bitmap, layout);
}

void WriteTiffToFile(const std::string& target, const TBitmap& bitmap) {
    WriteFileAtomically(target, [&](TOutputStream& stream) { WriteTiffToStream(stream, bitmap); });
}

} // namespace zorvic
