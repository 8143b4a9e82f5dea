#pragma once
// BMP files put together field by field, for the kinds of file our own writer never makes.
#include "TBitmap.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace zorvic::test {

struct TBmpFixture {
    int width = 0;
    int height = 0; // negative: top-down
    int bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t headerSize = 40;
    // Red, green, blue: after a 40-byte header, or as the start of a longer one.
    std::vector<std::uint32_t> masks;
    std::vector<TColor> palette;
    std::vector<std::uint8_t> pixels;

    std::vector<std::uint8_t> Bytes() const {
        std::vector<std::uint8_t> info;
        auto put = [&info](std::uint32_t value, int bytes) {
            for (int i = 0; i < bytes; ++i)
                info.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
        };
        put(headerSize, 4);
        put(static_cast<std::uint32_t>(width), 4);
        put(static_cast<std::uint32_t>(height), 4);
        put(1, 2);
        put(static_cast<std::uint32_t>(bits), 2);
        put(compression, 4);
        put(static_cast<std::uint32_t>(pixels.size()), 4);
        put(2835, 4);
        put(2835, 4);
        put(static_cast<std::uint32_t>(palette.size()), 4);
        put(0, 4);
        for (const std::uint32_t mask : masks)
            put(mask, 4);
        if (info.size() < headerSize) info.resize(headerSize, 0);
        for (const TColor colour : palette)
            put(static_cast<std::uint32_t>(BlueOf(colour) | GreenOf(colour) << 8 |
                                           RedOf(colour) << 16),
                4);
        const auto offset = static_cast<std::uint32_t>(14 + info.size());
        std::vector<std::uint8_t> file{'B', 'M'};
        file.resize(14);
        const std::uint32_t fields[] = {offset + static_cast<std::uint32_t>(pixels.size()), 0,
                                        offset};
        std::memcpy(file.data() + 2, fields, sizeof fields);
        file.insert(file.end(), info.begin(), info.end());
        file.insert(file.end(), pixels.begin(), pixels.end());
        return file;
    }
};

// A colour channel of 8 bits widened or narrowed to `mask`: narrower keeps the top bits, wider
// repeats them, as writers of such files do.
inline std::uint32_t UnderMask(int value, std::uint32_t mask) {
    if (mask == 0) return 0;
    int low = 0;
    while (!(mask >> low & 1))
        ++low;
    int width = 0;
    while (low + width < 32 && mask >> (low + width) & 1)
        ++width;
    std::uint64_t wide = 0;
    for (int filled = 0; filled < width; filled += 8)
        wide = wide << 8 | static_cast<std::uint64_t>(value);
    const int filledBits = (width + 7) / 8 * 8;
    return static_cast<std::uint32_t>(wide >> (filledBits - width)) << low;
}

// The picture as uncompressed 16- or 32-bit rows under the masks, bottom row first unless
// top-down, each row padded to four bytes.
inline std::vector<std::uint8_t> MaskedRows(const TBitmap& picture, int bits,
                                            const std::vector<std::uint32_t>& masks, bool topDown) {
    std::vector<std::uint8_t> rows;
    for (int i = 0; i < picture.Height(); ++i) {
        const int y = topDown ? i : picture.Height() - 1 - i;
        for (int x = 0; x < picture.Width(); ++x) {
            const TColor c = picture.GetPixel(x, y);
            const std::uint32_t value = UnderMask(RedOf(c), masks[0]) |
                                        UnderMask(GreenOf(c), masks[1]) |
                                        UnderMask(BlueOf(c), masks[2]);
            for (int b = 0; b < bits / 8; ++b)
                rows.push_back(static_cast<std::uint8_t>(value >> (8 * b)));
        }
        while (rows.size() % 4)
            rows.push_back(0);
    }
    return rows;
}

} // namespace zorvic::test
