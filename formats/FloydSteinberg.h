#pragma once
#include "NearestColour.h"
#include "TBitmap.h"

#include <cstdint>
#include <vector>

namespace zorvic {

// Maps a 24 or 32-bit picture onto a palette (1 to 256 entries) with Floyd-Steinberg error
// diffusion, row by row from the top, rows scanned in alternating directions. Where every colour
// of the picture is in the palette no error ever arises, so the mapping is exact.
class TFloydSteinberg {
public:
    // The bitmap must outlive the object.
    TFloydSteinberg(const TBitmap& bitmap, const std::vector<TColor>& palette);

    // Palette indices of the next row, Width() bytes.
    void MapNextRow(std::uint8_t* indices);

private:
    struct TRgb {
        int red = 0, green = 0, blue = 0;
        TRgb operator*(int factor) const { return {red * factor, green * factor, blue * factor}; }
        TRgb operator+(const TRgb& other) const {
            return {red + other.red, green + other.green, blue + other.blue};
        }
    };
    template <int BytesPerPixel> void MapRow(std::uint8_t* __restrict indices);

    const TBitmap& bitmap_;
    TNearestColourFinder finder_;
    int row_ = 0;
    // Errors carried to the row being mapped and to the next one, in sixteenths, with a spare
    // pixel at either end for the edge pixels' neighbours.
    std::vector<TRgb> current_;
    std::vector<TRgb> next_;
};

} // namespace zorvic
