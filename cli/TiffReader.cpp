// TIFF input through libtiff, whose RGBA interface reads every kind of TIFF picture it knows.
#include "PictureInput.h"

#include <cstdarg>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <tiffio.h>

namespace zorvic::input_detail {

namespace {

constexpr const char* kKind = "TIFF";
// TIFF's compressions differ; none of those a screenshot or photograph uses packs more pixels
// into a byte than this (a blank page coded as a fax comes closest).
constexpr double kMostPixelsPerByte = 65536;
// What libtiff may take in one allocation of its own (strip buffers, tables).
constexpr tmsize_t kMostLibraryAllocation = 256 << 20;

// libtiff's first error for this file, kept as the reason; warnings (an unknown tag) are not
// errors.
int KeepFirstError(TIFF*, void* userData, const char*, const char* format, va_list arguments) {
    auto* error = static_cast<std::string*>(userData);
    if (error->empty()) {
        char text[512];
        std::vsnprintf(text, sizeof text, format, arguments);
        *error = text;
    }
    return 1;
}

int IgnoreWarning(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

struct TTiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};

} // namespace

TBitmap ReadTiff(const std::string& path, std::uint64_t fileSize) {
    std::string error;
    const std::unique_ptr<TIFFOpenOptions, decltype(&TIFFOpenOptionsFree)> options(
        TIFFOpenOptionsAlloc(), &TIFFOpenOptionsFree);
    TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), kMostLibraryAllocation);
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), KeepFirstError, &error);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), IgnoreWarning, nullptr);
    const std::unique_ptr<TIFF, TTiffCloser> tiff(TIFFOpenExt(path.c_str(), "r", options.get()));
    const auto fail = [&](const std::string& fallback) {
        ThrowInvalidPicture(path, kKind, error.empty() ? fallback : error);
    };
    if (!tiff) fail("it cannot be opened");

    std::uint32_t width = 0;
    std::uint32_t height = 0;
    TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height);
    char reason[1024] = {};
    if (!TIFFRGBAImageOK(tiff.get(), reason)) fail(reason);
    CheckDeclaredSize(path, kKind, width, height, fileSize, kMostPixelsPerByte);

    // libtiff hands the picture over as one 32-bit red, green, blue, alpha value a pixel.
    TBitmap picture = TBitmap::WithoutFill(static_cast<int>(width), static_cast<int>(height),
                                           TPixelFormat::pf24bit);
    std::vector<std::uint32_t> raster(static_cast<std::size_t>(width) * height);
    if (!TIFFReadRGBAImageOriented(tiff.get(), width, height, raster.data(), ORIENTATION_TOPLEFT,
                                   1))
        fail("its pixels cannot be read");
    for (std::uint32_t y = 0; y < height; ++y) {
        const std::uint32_t* from = raster.data() + static_cast<std::size_t>(y) * width;
        std::uint8_t* to = picture.ScanLine(static_cast<int>(y));
        for (std::uint32_t x = 0; x < width; ++x, to += 3) {
            to[0] = static_cast<std::uint8_t>(TIFFGetB(from[x]));
            to[1] = static_cast<std::uint8_t>(TIFFGetG(from[x]));
            to[2] = static_cast<std::uint8_t>(TIFFGetR(from[x]));
        }
    }
    return picture;
}

} // namespace zorvic::input_detail
