#include "PictureInput.h"

#include "Errors.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <span>

namespace zorvic {

namespace input_detail {

void ThrowInvalidPicture(const std::string& path, const char* kind, const std::string& reason) {
    throw EFileError(
        FormatMessage("File \"%s\" is not a valid %s picture: %s.", {path, kind, reason}));
}

void CheckDeclaredSize(const std::string& path, const char* kind, std::uint64_t width,
                       std::uint64_t height, std::uint64_t fileSize, double pixelsPerByte) {
    if (width == 0 || height == 0) ThrowInvalidPicture(path, kind, "it has no pixels");
    const double pixels = static_cast<double>(width) * static_cast<double>(height);
    if (pixels > pixelsPerByte * static_cast<double>(fileSize))
        ThrowInvalidPicture(path, kind,
                            FormatMessage("it declares %s x %s pixels, more than its %s bytes "
                                          "can hold",
                                          {std::to_string(width), std::to_string(height),
                                           std::to_string(fileSize)}));
}

} // namespace input_detail

namespace {

using namespace input_detail;

enum class TKind { Bmp, Png, Jpeg, Gif, Tiff };

bool StartsWith(std::span<const std::uint8_t> bytes, std::string_view prefix) {
    return bytes.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), bytes.begin(),
                      [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
}

TKind KindOf(std::span<const std::uint8_t> start) {
    using namespace std::string_view_literals;
    if (StartsWith(start, "\x89PNG\r\n\x1a\n"sv)) return TKind::Png;
    if (StartsWith(start, "\xff\xd8\xff"sv)) return TKind::Jpeg;
    if (StartsWith(start, "GIF87a"sv) || StartsWith(start, "GIF89a"sv)) return TKind::Gif;
    if (StartsWith(start, "II*\0"sv) || StartsWith(start, "MM\0*"sv)) return TKind::Tiff;
    return TKind::Bmp;
}

// An open file and its size.
class TInputFile {
public:
    explicit TInputFile(const std::string& path) : path_(path), in_(path, std::ios::binary) {
        if (!in_)
            throw EFileError(
                FormatMessage("Cannot open file \"%s\". %s", {path, std::strerror(errno)}));
        in_.seekg(0, std::ios::end);
        size_ = static_cast<std::uint64_t>(in_.tellg());
    }

    std::uint64_t Size() const { return size_; }

    // The first `count` bytes, fewer if the file is shorter.
    std::vector<std::uint8_t> Read(std::uint64_t count) {
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::min(count, size_)));
        in_.seekg(0);
        if (!in_.read(reinterpret_cast<char*>(bytes.data()),
                      static_cast<std::streamsize>(bytes.size())))
            throw EFileError(FormatMessage("Cannot read file \"%s\".", {path_}));
        return bytes;
    }

private:
    std::string path_;
    std::ifstream in_;
    std::uint64_t size_ = 0;
};

} // namespace

TBitmap ReadPictureFile(const std::string& path) {
    TInputFile file(path);
    switch (KindOf(file.Read(8))) {
    case TKind::Bmp:
        break;
    case TKind::Tiff:
        return ReadTiff(path, file.Size());
    case TKind::Png:
        return ReadPng({path, file.Read(file.Size())});
    case TKind::Jpeg:
        return ReadJpeg({path, file.Read(file.Size())});
    case TKind::Gif:
        return ReadGif({path, file.Read(file.Size())});
    }
    // The BMP reader reads the file itself, straight into the picture.
    TBitmap picture;
    picture.LoadFromFile(path);
    return picture;
}

} // namespace zorvic
