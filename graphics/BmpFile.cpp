#include "BmpFile.h"

#include "AtomicFile.h"
#include "BmpPixels.h"
#include "Errors.h"
#include "PieceCursor.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <sys/uio.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace zorvic {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint32_t kUncompressed = 0; // BI_RGB
// Rows rewritten in bands of about this size stay in the processor's cache from reading to
// writing.
constexpr std::size_t kBandBytes = std::size_t{256} << 10;
// Below this a second thread costs about what it saves.
constexpr std::size_t kSplitReadBytes = std::size_t{4} << 20;

void PutLittle(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// The headers and colour table of a file for a picture of this size, depth and palette.
std::vector<std::uint8_t> EncodeHeaders(int width, int height, TPixelFormat format,
                                        const std::vector<TColor>& palette) {
    const int bits = BitsPerPixel(format);
    const std::size_t colours = HasPalette(format) ? std::size_t{1} << bits : 0;
    const std::size_t offset = kFileHeaderSize + kInfoHeaderSize + 4 * colours;
    const unsigned long long imageSize = static_cast<unsigned long long>(RowStride(width, format)) *
                                         static_cast<unsigned long long>(height);
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
    PutLittle(out, static_cast<std::uint32_t>(width), 4);
    PutLittle(out, static_cast<std::uint32_t>(height), 4); // positive: bottom-up
    PutLittle(out, 1, 2);                                  // planes
    PutLittle(out, static_cast<std::uint32_t>(bits), 2);
    PutLittle(out, kUncompressed, 4);
    PutLittle(out, static_cast<std::uint32_t>(imageSize), 4);
    PutLittle(out, 3780, 4); // 96 dots per inch, in dots per metre
    PutLittle(out, 3780, 4);
    PutLittle(out, static_cast<std::uint32_t>(colours), 4);
    PutLittle(out, 0, 4); // all colours important
    for (std::size_t i = 0; i < colours; ++i) {
        const TColor c = i < palette.size() ? palette[i] : clBlack;
        out.push_back(static_cast<std::uint8_t>(BlueOf(c)));
        out.push_back(static_cast<std::uint8_t>(GreenOf(c)));
        out.push_back(static_cast<std::uint8_t>(RedOf(c)));
        out.push_back(0);
    }
    return out;
}

std::vector<std::uint8_t> EncodeHeaders(const TBitmap& bitmap) {
    return EncodeHeaders(bitmap.Width(), bitmap.Height(), bitmap.PixelFormat(), bitmap.Palette());
}

// Reads one BMP, failing with a message that names it. `head` holds the file's first bytes, at
// least all of its headers and colour table when the file has them; `fileSize` is the whole
// file's; the pixels are fetched from `pixels`.
TBitmap ReadBmp(std::span<const std::uint8_t> head, std::size_t fileSize, const TByteSource& pixels,
                const std::string& name) {
    return ReadBmpPixels(ReadBmpLayout(head, fileSize, name), pixels, name);
}

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
        const TByteRange range{into, count};
        return ReadAt(offset, {&range, 1});
    }

    // Consecutive bytes from `offset` into the ranges in turn, in as few system calls as the
    // system allows; returns how many bytes were read, fewer only where the file ends. Large
    // reads go in two halves on two threads: copying out of the page cache into fresh pages is
    // most of a load, and both halves of it can run at once.
    std::size_t ReadAt(std::size_t offset, std::span<const TByteRange> ranges) const {
        std::size_t total = 0;
        for (const TByteRange& range : ranges)
            total += range.count;
        if (total < kSplitReadBytes) return ReadInTurn(offset, ranges);
        // The halves meet in the middle of a range where they must.
        const std::size_t firstBytes = total / 2;
        std::vector<TByteRange> firstHalf;
        std::vector<TByteRange> secondHalf;
        std::size_t at = 0;
        for (const TByteRange& range : ranges) {
            const std::size_t inFirst =
                std::min(range.count, firstBytes - std::min(at, firstBytes));
            if (inFirst > 0) firstHalf.push_back({range.into, inFirst});
            if (inFirst < range.count)
                secondHalf.push_back({range.into + inFirst, range.count - inFirst});
            at += range.count;
        }
        std::size_t secondDone = 0;
        std::exception_ptr secondError;
        std::thread second([&] {
            try {
                secondDone = ReadInTurn(offset + firstBytes, secondHalf);
            } catch (...) {
                secondError = std::current_exception();
            }
        });
        std::size_t firstDone = 0;
        try {
            firstDone = ReadInTurn(offset, firstHalf);
        } catch (...) {
            second.join();
            throw;
        }
        second.join();
        if (secondError) std::rethrow_exception(secondError);
        return firstDone < firstBytes ? firstDone : firstDone + secondDone;
    }

private:
    std::size_t ReadInTurn(std::size_t offset, std::span<const TByteRange> ranges) const {
        std::vector<iovec> pieces;
        pieces.reserve(ranges.size());
        for (const TByteRange& range : ranges)
            pieces.push_back({range.into, range.count});
        TPieceCursor cursor(std::move(pieces));
        std::size_t done = 0;
        while (!cursor.Done()) {
            const std::span<const iovec> next = cursor.Next();
            const ssize_t got = preadv(fd_, next.data(), static_cast<int>(next.size()),
                                       static_cast<off_t>(offset + done));
            if (got == 0) break;
            if (got < 0) {
                if (errno == EINTR) continue;
                ThrowReadError(errno);
            }
            done += static_cast<std::size_t>(got);
            cursor.Advance(static_cast<std::size_t>(got));
        }
        return done;
    }

    [[noreturn]] void ThrowReadError(int error) const {
        throw EFileError(
            FormatMessage("Cannot read file \"%s\". %s", {path_, std::strerror(error)}));
    }

    std::string path_;
    int fd_ = -1;
};

// The first bytes of a file, at least all of a BMP's headers and colour table when it has them,
// and the whole file's size.
struct TFileHead {
    std::vector<std::uint8_t> bytes;
    std::size_t fileSize;
};

TFileHead ReadHead(const TReadOnlyFile& file) {
    const std::size_t size = file.Size();
    std::vector<std::uint8_t> bytes(std::min(size, kLargestBmpHead));
    const std::size_t got = file.ReadAt(0, bytes.data(), bytes.size());
    // A file that shrank since its size was taken is as long as what could be read.
    const std::size_t fileSize = got < bytes.size() ? got : size;
    bytes.resize(got);
    return {std::move(bytes), fileSize};
}

} // namespace

std::vector<std::uint8_t> EncodeBmp(const TBitmap& bitmap) {
    std::vector<std::uint8_t> out = EncodeHeaders(bitmap);
    for (int y = bitmap.Height() - 1; y >= 0; --y)
        out.insert(out.end(), bitmap.ScanLine(y), bitmap.ScanLine(y) + bitmap.Stride());
    return out;
}

TBitmap DecodeBmp(std::span<const std::uint8_t> data, const std::string& name) {
    auto copy = [data](std::size_t offset, std::span<const TByteRange> ranges) {
        for (const TByteRange& range : ranges) {
            if (offset > data.size() || range.count > data.size() - offset) return false;
            // Nothing to copy may come with null pointers, which memcpy must never be given.
            if (range.count > 0) std::memcpy(range.into, data.data() + offset, range.count);
            offset += range.count;
        }
        return true;
    };
    return ReadBmp(data, data.size(), copy, name);
}

void SaveBmpFile(const TBitmap& bitmap, const std::string& path) {
    std::vector<std::uint8_t> headers;
    try {
        headers = EncodeHeaders(bitmap);
    } catch (const EFileError& error) {
        throw EFileError(FormatMessage("Cannot write file \"%s\". %s", {path, error.what()}));
    }
    // The rows bottom-up, handed to the system together rather than one call each.
    std::vector<std::span<const std::uint8_t>> pieces{headers};
    for (int y = bitmap.Height() - 1; y >= 0; --y)
        pieces.emplace_back(bitmap.ScanLine(y), static_cast<std::size_t>(bitmap.Stride()));
    TAtomicFile file(path);
    file.WritePieces(pieces);
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
    const TFileHead head = ReadHead(file);
    auto read = [&file](std::size_t offset, std::span<const TByteRange> ranges) {
        std::size_t wanted = 0;
        for (const TByteRange& range : ranges)
            wanted += range.count;
        return file.ReadAt(offset, ranges) == wanted;
    };
    return ReadBmp(head.bytes, head.fileSize, read, path);
}

bool RewriteBmpInBands(const std::string& inPath, const std::string& outPath,
                       const std::function<void(TBitmap& band)>& work) {
    const TReadOnlyFile file(inPath);
    const TFileHead head = ReadHead(file);
    if (head.bytes.size() < 2 || head.bytes[0] != 'B' || head.bytes[1] != 'M') return false;
    const TBmpLayout layout = ReadBmpLayout(head.bytes, head.fileSize, inPath);
    if (layout.storage != TBmpStorage::Rows || layout.bits != 24 || layout.topDown ||
        layout.width == 0 || layout.height == 0)
        return false;
    const auto stride = static_cast<std::size_t>(RowStride(layout.width, TPixelFormat::pf24bit));
    if (stride * static_cast<std::size_t>(layout.height) > layout.pixelBytes) return false;

    const std::vector<std::uint8_t> headers =
        EncodeHeaders(layout.width, layout.height, TPixelFormat::pf24bit, {});
    TAtomicFile out(outPath);
    out.Write(headers.data(), headers.size());
    const int bandRows =
        std::min(layout.height, static_cast<int>(std::max<std::size_t>(1, kBandBytes / stride)));
    TBitmap band;
    std::vector<TByteRange> reads;
    std::vector<std::span<const std::uint8_t>> writes;
    for (int first = 0; first < layout.height; first += bandRows) {
        const int rows = std::min(bandRows, layout.height - first);
        if (band.Height() != rows)
            band = TBitmap::WithoutFill(layout.width, rows, TPixelFormat::pf24bit);
        reads.clear();
        for (int y = 0; y < rows; ++y)
            reads.push_back({band.ScanLine(y), stride});
        const std::size_t offset = layout.pixelOffset + stride * static_cast<std::size_t>(first);
        // A file that shrank since its size was taken.
        if (file.ReadAt(offset, reads) != stride * static_cast<std::size_t>(rows))
            ThrowInvalidBmp(inPath, "the file ends before its pixel data is complete");
        work(band);
        writes.clear();
        for (int y = 0; y < rows; ++y)
            writes.emplace_back(band.ScanLine(y), stride);
        out.WritePieces(writes);
    }
    out.Commit();
    return true;
}

} // namespace zorvic
