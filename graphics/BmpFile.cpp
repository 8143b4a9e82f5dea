#include "BmpFile.h"

#include "AtomicFile.h"
#include "Errors.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvic {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint32_t kUncompressed = 0; // BI_RGB
constexpr std::uint32_t kColourMasks = 3;  // BI_BITFIELDS
// Far beyond any screen, and small enough that sizes stay well inside 64-bit arithmetic.
constexpr long long kLargestSide = 1 << 16;

void PutLittle(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint32_t Little(std::span<const std::uint8_t> data, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= static_cast<std::uint32_t>(data[at + i]) << (8 * i);
    return value;
}

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

// The headers and colour table of a file for the bitmap.
std::vector<std::uint8_t> EncodeHeaders(const TBitmap& bitmap) {
    const int bits = BitsPerPixel(bitmap.PixelFormat());
    const std::size_t colours = HasPalette(bitmap.PixelFormat()) ? std::size_t{1} << bits : 0;
    const std::size_t offset = kFileHeaderSize + kInfoHeaderSize + 4 * colours;
    const unsigned long long imageSize =
        static_cast<unsigned long long>(bitmap.Stride()) * bitmap.Height();
    if (offset + imageSize > std::numeric_limits<std::uint32_t>::max())
        throw EFileError("The picture is too large for a BMP file");

    std::vector<std::uint8_t> out;
    out.reserve(offset);
    out.push_back('B');
    out.push_back('M');
    PutLittle(out, static_cast<std::uint32_t>(offset + imageSize), 4);
    PutLittle(out, 0, 4); // reserved
    PutLittle(out, static_cast<std::uint32_t>(offset), 4);
    PutLittle(out, kInfoHeaderSize, 4);
    PutLittle(out, static_cast<std::uint32_t>(bitmap.Width()), 4);
    PutLittle(out, static_cast<std::uint32_t>(bitmap.Height()), 4); // positive: bottom-up
    PutLittle(out, 1, 2);                                           // planes
    PutLittle(out, static_cast<std::uint32_t>(bits), 2);
    PutLittle(out, kUncompressed, 4);
    PutLittle(out, static_cast<std::uint32_t>(imageSize), 4);
    PutLittle(out, 3780, 4); // 96 dots per inch, in dots per metre
    PutLittle(out, 3780, 4);
    PutLittle(out, static_cast<std::uint32_t>(colours), 4);
    PutLittle(out, 0, 4); // all colours important
    for (std::size_t i = 0; i < colours; ++i) {
        const TColor c = i < bitmap.Palette().size() ? bitmap.Palette()[i] : clBlack;
        out.push_back(static_cast<std::uint8_t>(BlueOf(c)));
        out.push_back(static_cast<std::uint8_t>(GreenOf(c)));
        out.push_back(static_cast<std::uint8_t>(RedOf(c)));
        out.push_back(0);
    }
    return out;
}

// Copies `count` bytes of the file from `offset` into `into`; false when the file has fewer.
using TByteSource = std::function<bool(std::size_t offset, std::uint8_t* into, std::size_t count)>;

// Reads one BMP, failing with a message that names it. `head` holds the file's first bytes, at
// least all of its headers and colour table when the file has them; `fileSize` is the whole
// file's; the pixels are fetched from `pixels` straight into the picture.
class TBmpReader {
public:
    TBmpReader(std::span<const std::uint8_t> head, std::size_t fileSize, TByteSource pixels,
               const std::string& name)
        : data_(head), fileSize_(fileSize), pixels_(std::move(pixels)), name_(name) {}

    TBitmap Read() {
        Require(fileSize_ >= kFileHeaderSize + 4, "the file is too short for a bitmap header");
        Require(data_[0] == 'B' && data_[1] == 'M', "it does not start with the BMP signature");
        const std::uint32_t pixelOffset = Little(data_, 10, 4);
        const std::uint32_t headerSize = Little(data_, 14, 4);
        Require(headerSize >= kInfoHeaderSize && headerSize <= 1024,
                "unsupported header size " + std::to_string(headerSize));
        Require(kFileHeaderSize + headerSize <= fileSize_, "the file ends inside its header");

        const auto width = static_cast<std::int32_t>(Little(data_, 18, 4));
        const auto storedHeight = static_cast<std::int32_t>(Little(data_, 22, 4));
        const int bits = static_cast<int>(Little(data_, 28, 2));
        const std::uint32_t compression = Little(data_, 30, 4);
        const std::uint32_t coloursUsed = Little(data_, 46, 4);

        const long long height =
            storedHeight < 0 ? -static_cast<long long>(storedHeight) : storedHeight;
        Require(width >= 0, "negative width " + std::to_string(width));
        Require(width <= kLargestSide && height <= kLargestSide,
                "its dimensions " + std::to_string(width) + " x " + std::to_string(height) +
                    " are too large");
        Require(bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32,
                "unsupported colour depth of " + std::to_string(bits) + " bits");
        CheckCompression(compression, bits, headerSize);

        // Every pixel comes from the file.
        TBitmap bitmap = TBitmap::WithoutFill(width, static_cast<int>(height), FormatOfDepth(bits));
        if (HasPalette(bitmap.PixelFormat()))
            bitmap.SetPalette(ReadColourTable(headerSize, coloursUsed, bits));
        ReadPixels(bitmap, pixelOffset, storedHeight < 0);
        return bitmap;
    }

private:
    void Require(bool condition, const std::string& reason) const {
        if (!condition)
            throw EFileError(
                FormatMessage("File \"%s\" is not a valid bitmap: %s.", {name_, reason}));
    }

    void CheckCompression(std::uint32_t compression, int bits, std::uint32_t headerSize) const {
        if (compression == kUncompressed) return;
        Require(compression == kColourMasks && bits == 32,
                "unsupported compression " + std::to_string(compression) + " at " +
                    std::to_string(bits) + " bits");
        // The masks follow a 40-byte header and are part of every longer one.
        const std::size_t at = kFileHeaderSize + kInfoHeaderSize;
        Require(headerSize > kInfoHeaderSize || at + 12 <= fileSize_,
                "the file ends inside its colour masks");
        Require(Little(data_, at, 4) == 0x00FF0000 && Little(data_, at + 4, 4) == 0x0000FF00 &&
                    Little(data_, at + 8, 4) == 0x000000FF,
                "unsupported colour masks");
    }

    std::vector<TColor> ReadColourTable(std::uint32_t headerSize, std::uint32_t coloursUsed,
                                        int bits) const {
        const std::uint32_t capacity = 1u << bits;
        Require(coloursUsed <= capacity, "its colour table of " + std::to_string(coloursUsed) +
                                             " entries is too large for " + std::to_string(bits) +
                                             " bits");
        const std::size_t count = coloursUsed ? coloursUsed : capacity;
        const std::size_t at = kFileHeaderSize + headerSize;
        Require(at + 4 * count <= fileSize_, "the file ends inside its colour table");
        std::vector<TColor> table;
        for (std::size_t i = 0; i < count; ++i)
            table.push_back(
                MakeColor(data_[at + 4 * i + 2], data_[at + 4 * i + 1], data_[at + 4 * i]));
        return table;
    }

    void ReadPixels(TBitmap& bitmap, std::uint32_t pixelOffset, bool topDown) const {
        const std::size_t stride = static_cast<std::size_t>(bitmap.Stride());
        const unsigned long long needed = static_cast<unsigned long long>(stride) *
                                          static_cast<unsigned long long>(bitmap.Height());
        Require(pixelOffset <= fileSize_, "its pixel data offset " + std::to_string(pixelOffset) +
                                              " lies past the end of the file (" +
                                              std::to_string(fileSize_) + " bytes)");
        const std::string incomplete = "the file ends before its pixel data is complete (" +
                                       std::to_string(needed) + " bytes needed, " +
                                       std::to_string(fileSize_ - pixelOffset) + " present)";
        Require(needed <= fileSize_ - pixelOffset, incomplete);
        const int height = bitmap.Height();
        for (int y = 0; y < height; ++y) {
            const int fileRow = topDown ? y : height - 1 - y;
            std::uint8_t* row = bitmap.ScanLine(y);
            // A file that shrank since its size was taken.
            Require(pixels_(pixelOffset + stride * fileRow, row, stride), incomplete);
            if (bitmap.PixelFormat() == TPixelFormat::pf32bit)
                for (int x = 0; x < bitmap.Width(); ++x)
                    row[4 * x + 3] = 0;
        }
    }

    std::span<const std::uint8_t> data_;
    std::size_t fileSize_;
    TByteSource pixels_;
    const std::string& name_;
};

// An open file, closed on every way out.
class TReadOnlyFile {
public:
    explicit TReadOnlyFile(const std::string& path) : path_(path) {
        fd_ = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd_ < 0)
            throw EFileError(
                FormatMessage("Cannot open file \"%s\". %s", {path, std::strerror(errno)}));
    }
    ~TReadOnlyFile() { close(fd_); }
    TReadOnlyFile(const TReadOnlyFile&) = delete;
    TReadOnlyFile& operator=(const TReadOnlyFile&) = delete;

    std::size_t Size() const {
        struct stat info {};
        if (fstat(fd_, &info) != 0) ThrowReadError(errno);
        return info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0;
    }

    // Up to `count` bytes from `offset`; fewer only where the file ends.
    std::size_t ReadAt(std::size_t offset, std::uint8_t* into, std::size_t count) const {
        std::size_t done = 0;
        while (done < count) {
            const ssize_t got =
                pread(fd_, into + done, count - done, static_cast<off_t>(offset + done));
            if (got == 0) break;
            if (got < 0) {
                if (errno == EINTR) continue;
                ThrowReadError(errno);
            }
            done += static_cast<std::size_t>(got);
        }
        return done;
    }

private:
    [[noreturn]] void ThrowReadError(int error) const {
        throw EFileError(
            FormatMessage("Cannot read file \"%s\". %s", {path_, std::strerror(error)}));
    }

    std::string path_;
    int fd_ = -1;
};

// The headers, the colour masks and the colour table lie within this many bytes of the start.
constexpr std::size_t kLargestHead = kFileHeaderSize + 1024 + 4 * 256;

} // namespace

std::vector<std::uint8_t> EncodeBmp(const TBitmap& bitmap) {
    std::vector<std::uint8_t> out = EncodeHeaders(bitmap);
    for (int y = bitmap.Height() - 1; y >= 0; --y)
        out.insert(out.end(), bitmap.ScanLine(y), bitmap.ScanLine(y) + bitmap.Stride());
    return out;
}

TBitmap DecodeBmp(std::span<const std::uint8_t> data, const std::string& name) {
    auto copy = [data](std::size_t offset, std::uint8_t* into, std::size_t count) {
        if (offset > data.size() || count > data.size() - offset) return false;
        std::memcpy(into, data.data() + offset, count);
        return true;
    };
    return TBmpReader(data, data.size(), copy, name).Read();
}

void SaveBmpFile(const TBitmap& bitmap, const std::string& path) {
    std::vector<std::uint8_t> headers;
    try {
        headers = EncodeHeaders(bitmap);
    } catch (const EFileError& error) {
        throw EFileError(FormatMessage("Cannot write file \"%s\". %s", {path, error.what()}));
    }
    TAtomicFile file(path);
    file.Write(headers.data(), headers.size());
    for (int y = bitmap.Height() - 1; y >= 0; --y)
        file.Write(bitmap.ScanLine(y), static_cast<std::size_t>(bitmap.Stride()));
    file.Commit();
}

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
    const TReadOnlyFile file(path);
    std::vector<std::uint8_t> content(file.Size());
    content.resize(file.ReadAt(0, content.data(), content.size()));
    return content;
}

TBitmap LoadBmpFile(const std::string& path) {
    // The pixels go from the file straight into the picture, with no copy of the whole file
    // in between: half the memory, and most of the time, of a load.
    const TReadOnlyFile file(path);
    const std::size_t size = file.Size();
    std::vector<std::uint8_t> head(std::min(size, kLargestHead));
    const std::size_t got = file.ReadAt(0, head.data(), head.size());
    // A file that shrank since its size was taken is as long as what could be read.
    const std::size_t fileSize = got < head.size() ? got : size;
    head.resize(got);
    auto read = [&file](std::size_t offset, std::uint8_t* into, std::size_t count) {
        return file.ReadAt(offset, into, count) == count;
    };
    return TBmpReader(head, fileSize, read, path).Read();
}

} // namespace zorvic
