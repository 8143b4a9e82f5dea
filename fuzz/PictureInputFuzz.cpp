// zorvic-cli's picture input on arbitrary bytes, as PNG, JPEG, GIF or TIFF by their first bytes:
// it either gives a 24-bit picture or refuses the file with EZorvicError.
#include "Errors.h"
#include "PictureInput.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

// TIFF is read from a file by name, so every input goes through one, removed at the end.
struct TScratchFile {
    std::string path = "/tmp/zorvic-fuzz-picture-" + std::to_string(getpid());
    ~TScratchFile() { std::remove(path.c_str()); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const TScratchFile scratch;
    const std::string& path = scratch.path;
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    zorvic::TBitmap picture;
    try {
        picture = zorvic::ReadPictureFile(path);
    } catch (const zorvic::EZorvicError&) {
        return 0;
    }
    // The BMP reader keeps a BMP's own depth; every other reader gives 24 bits.
    const bool bmp = size >= 2 && data[0] == 'B' && data[1] == 'M';
    if (picture.Empty() || (!bmp && picture.PixelFormat() != zorvic::TPixelFormat::pf24bit)) {
        std::fprintf(stderr, "a picture read is empty or not 24-bit\n");
        std::abort();
    }
    return 0;
}
