#include "FormatConversion.h"

#include "BmpToTiff.h"
#include "Errors.h"
#include "GifWriter.h"
#include "JpegWriter.h"
#include "OutputStream.h"
#include "PngWriter.h"

#include <cstdio>
#include <filesystem>

namespace zorvic {

namespace {

bool IsSameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return a == b || std::filesystem::equivalent(a, b, error);
}

// Loads the BMP, writes the target with `save` and only then deletes the BMP. A missing BMP is
// not an error: the camera may have failed to store its frame.
template <typename Save>
void ConvertBmp(const std::string& bmp, const std::string& target, Save save) {
    std::error_code error;
    if (!std::filesystem::exists(bmp, error)) return;
    // Writing the target over its own source and then deleting the source would lose both.
    if (IsSameFile(bmp, target))
        throw EZorvicError(FormatMessage("Cannot convert \"%s\" into itself.", {bmp}));
    TBitmap bitmap;
    bitmap.LoadFromFile(bmp);
    save(bitmap);
    std::remove(bmp.c_str());
}

[[noreturn]] void ThrowUnknownFormat(int formatIndex) {
    throw EZorvicError(
        FormatMessage("Unknown picture format number %s.", {std::to_string(formatIndex)}));
}

} // namespace

const char* ExtensionOfFormat(int formatIndex) {
    switch (formatIndex) {
    case kFormatBmp:
        return ".bmp";
    case kFormatJpg:
        return ".jpg";
    case kFormatGif:
        return ".gif";
    case kFormatTif:
        return ".tif";
    case kFormatPng:
        return ".png";
    default:
        return "";
    }
}

void SaveAsJpg(const TBitmap& bitmap, const std::string& target, int quality) {
    WriteFileAtomically(target,
                        [&](TOutputStream& stream) { WriteJpegToStream(stream, bitmap, quality); });
}

void SaveAsGif(const TBitmap& bitmap, const std::string& target) {
    WriteFileAtomically(target, [&](TOutputStream& stream) { WriteGifToStream(stream, bitmap); });
}

void SaveAsPng(const TBitmap& bitmap, const std::string& target) {
    WriteFileAtomically(target, [&](TOutputStream& stream) { WritePngToStream(stream, bitmap); });
}

void SavePicture(const TBitmap& bitmap, const std::string& path, int formatIndex, int jpegQuality) {
    switch (formatIndex) {
    case kFormatBmp:
        bitmap.SaveToFile(path);
        break;
    case kFormatJpg:
        SaveAsJpg(bitmap, path, jpegQuality);
        break;
    case kFormatGif:
        SaveAsGif(bitmap, path);
        break;
    case kFormatTif:
        WriteTiffToFile(path, bitmap);
        break;
    case kFormatPng:
        SaveAsPng(bitmap, path);
        break;
    default:
        ThrowUnknownFormat(formatIndex);
    }
}

void ConvertBmpToFormat(const std::string& bmp, const std::string& target, int formatIndex,
                        int jpegQuality) {
    if (*ExtensionOfFormat(formatIndex) == '\0') ThrowUnknownFormat(formatIndex);
    // The camera's BMP file already is the target when only the extension names the format.
    if (formatIndex == kFormatBmp && IsSameFile(bmp, target)) return;
    ConvertBmp(bmp, target, [&](const TBitmap& bitmap) {
        SavePicture(bitmap, target, formatIndex, jpegQuality);
    });
}

void ConvertBmpToJpg(const std::string& bmp, const std::string& target, int quality) {
    ConvertBmpToFormat(bmp, target, kFormatJpg, quality);
}

void ConvertBmpToGif(const std::string& bmp, const std::string& target) {
    ConvertBmpToFormat(bmp, target, kFormatGif, kDefaultJpegQuality);
}

void ConvertBmpToTif(const std::string& bmp, const std::string& target) {
    ConvertBmpToFormat(bmp, target, kFormatTif, kDefaultJpegQuality);
}

} // namespace zorvic
