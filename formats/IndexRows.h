#pragma once
#include <cstdint>

namespace zorvic {

// One byte per pixel from a row of 1, 4 or 8-bit palette indices (leftmost pixel in the high bits).
void UnpackIndices(const std::uint8_t* row, int width, int bits, std::uint8_t* indices);

} // namespace zorvic
