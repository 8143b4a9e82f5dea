#pragma once
#include "BmpLayout.h"
#include "TBitmap.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace zorvic {

// Where bytes of the file go: `count` of them to `into`.
struct TByteRange {
    std::uint8_t* into;
    std::size_t count;
};

// Copies consecutive bytes of the file, from `offset` on, into each range in turn (all the rows of
// a picture in one call, so that a file is read with few system calls); false when the file has
// fewer.
using TByteSource = std::function<bool(std::size_t offset, std::span<const TByteRange> ranges)>;

// The picture of a file whose headers gave `layout`, its pixels fetched from `source`. Rows at 1,
// 4, 8, 24 and 32 bits keep their depth; 16-bit, masked and run-length coded pixels become a
// 24-bit picture. The picture is only made once the file is known to hold enough data for it;
// short or corrupt pixel data fails through ThrowInvalidBmp.
TBitmap ReadBmpPixels(const TBmpLayout& layout, const TByteSource& source, const std::string& name);

// Run-length coded pixels (TBmpStorage::Rle8 and Rle4); pixels the coding skips take the colour
// of the first colour-table entry.
TBitmap ReadRlePixels(const TBmpLayout& layout, const TByteSource& source, const std::string& name);

} // namespace zorvic
