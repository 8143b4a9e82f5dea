#include "IndexRows.h"

#include <cstring>

namespace zorvic {

void UnpackIndices(const std::uint8_t* row, int width, int bits, std::uint8_t* indices) {
    switch (bits) {
    case 1:
        for (int x = 0; x < width; ++x)
            indices[x] = (row[x >> 3] >> (7 - (x & 7))) & 1;
        break;
    case 4:
        for (int x = 0; x < width; ++x)
            indices[x] = (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
        break;
    default:
        std::memcpy(indices, row, static_cast<std::size_t>(width));
    }
}

} // namespace zorvic
