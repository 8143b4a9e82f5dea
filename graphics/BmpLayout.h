#pragma once
#include "TColor.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zorvic {

// How the pixels of a BMP file are stored, as its headers tell once every field has been
// checked against the rest of the headers and the file's length.
enum class TBmpStorage {
    Rows,  // uncompressed rows at the picture's own depth: 1, 4, 8, 24, or 32 as B, G, R, x
    Masks, // uncompressed 16- or 32-bit pixels whose channels lie under colour masks
    Rle8,  // run-length coded 8-bit indices
    Rle4,  // run-length coded 4-bit indices
};

struct TBmpLayout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bits = 0;
    TBmpStorage storage = TBmpStorage::Rows;
    std::array<std::uint32_t, 3> masks{}; // red, green, blue; for TBmpStorage::Masks
    std::vector<TColor> palette;          // as many entries as the file holds; 1 to 8 bits only
    std::size_t pixelOffset = 0;
    std::size_t pixelBytes = 0; // from the pixel offset to the end of the file
};

// Fails with EFileError "File "<name>" is not a valid bitmap: <reason>."
[[noreturn]] void ThrowInvalidBmp(const std::string& name, const std::string& reason);

// The headers, colour masks and colour table lie within this many bytes of the start.
inline constexpr std::size_t kLargestBmpHead = 14 + 1024 + 12 + 4 * 256;

// Reads and checks the headers. `head` holds the file's first bytes, at least
// min(fileSize, kLargestBmpHead) of them; `fileSize` is the whole file's.
TBmpLayout ReadBmpLayout(std::span<const std::uint8_t> head, std::size_t fileSize,
                         const std::string& name);

} // namespace zorvic
