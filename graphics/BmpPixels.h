#pragma once
#include "BmpLayout.h"
#include "TBitmap.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace zorvic {

// Copies `count` bytes of the file from `offset` into `into`; false when the file has fewer.
using TByteSource = std::function<bool(std::size_t offset, std::uint8_t* into, std::size_t count)>;

// The picture of a file whose headers gave `layout`, its pixels fetched from `source`. Rows at 1,
// 4, 8, 24 and 32 bits keep their depth; 16-bit, masked and run-length coded pixels become a
// 24-bit picture. The picture is only made once the file is known to hold enough data for it;
// short or corrupt pixel data fails through ThrowInvalidBmp.
TBitmap ReadBmpPixels(const TBmpLayout& layout, const TByteSource& source, const std::string& name);

// Run-length coded pixels (TBmpStorage::Rle8 and Rle4); pixels the coding skips take the colour
// of the first colour-table entry.
TBitmap ReadRlePixels(const TBmpLayout& layout, const TByteSource& source, const std::string& name);

} // namespace zorvic
