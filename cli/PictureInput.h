#pragma once
#include "TBitmap.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zorvic {

// The picture in a BMP, PNG, JPEG, GIF or TIFF file, told by the file's first bytes whatever its
// name; of a GIF or TIFF with several pictures, the first. BMP is read by the program's own
// reader, and so is any file that starts like none of the others; the rest by their reference
// libraries (libpng, libjpeg, giflib, libtiff). Every picture but a BMP comes back 24-bit.
// Throws EFileError "Cannot open file ...", or "File "<path>" is not a valid <kind> picture:
// <reason>." for a damaged file; a damaged file is refused as a whole, never read in part.
TBitmap ReadPictureFile(const std::string& path);

namespace input_detail {

// What each format's reader is given.
struct TPictureFile {
    std::string path;
    std::vector<std::uint8_t> bytes;
};

[[noreturn]] void ThrowInvalidPicture(const std::string& path, const char* kind,
                                      const std::string& reason);

// Compressed formats can declare any size in a few bytes. Before the picture is allocated its
// declared size is held against the most the file could hold at the format's highest
// compression, `pixelsPerByte`, so that a damaged or hostile file is refused without the
// allocation.
void CheckDeclaredSize(const std::string& path, const char* kind, std::uint64_t width,
                       std::uint64_t height, std::uint64_t fileSize, double pixelsPerByte);

TBitmap ReadPng(const TPictureFile& file);
TBitmap ReadJpeg(const TPictureFile& file);
TBitmap ReadGif(const TPictureFile& file);
TBitmap ReadTiff(const std::string& path, std::uint64_t fileSize);

} // namespace input_detail

} // namespace zorvic
