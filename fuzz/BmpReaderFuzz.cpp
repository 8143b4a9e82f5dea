// The BMP reader on arbitrary bytes: it either gives a picture or refuses the file with
// EFileError, and a picture it gives is written and read back unchanged.
#include "BmpFile.h"
#include "Errors.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>

namespace {

// Pixels, padding and colour table alike.
bool SamePicture(const zorvic::TBitmap& a, const zorvic::TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height() || a.PixelFormat() != b.PixelFormat() ||
        a.Palette() != b.Palette())
        return false;
    for (int y = 0; y < a.Height(); ++y)
        if (std::memcmp(a.ScanLine(y), b.ScanLine(y), static_cast<std::size_t>(a.Stride())) != 0)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zorvic::TBitmap picture;
    try {
        picture = zorvic::DecodeBmp(std::span(data, size), "fuzz.bmp");
    } catch (const zorvic::EFileError&) {
        return 0;
    }
    const zorvic::TBitmap again = zorvic::DecodeBmp(zorvic::EncodeBmp(picture), "again.bmp");
    if (!SamePicture(again, picture)) {
        std::fprintf(stderr, "a picture read from a file does not survive writing it\n");
        std::abort();
    }
    return 0;
}
