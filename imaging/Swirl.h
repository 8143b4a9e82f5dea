#pragma once
#include "TBitmap.h"

#include <cstdint>
#include <vector>

namespace zorvic {

// The pixels of Twist (Distortions.h): a destination pixel at distance r from the centre takes the
// bilinear sample of the source at the same distance, turned by pi/2 - r/amount. The definition
// stores every intermediate value as a float and evaluates every expression in extended
// precision; most pixels are worked out through doubles instead, several at a time, with each
// stored value shown to be the definition's, and the rest by the definition itself.
class TSwirl {
public:
    // src is 24-bit, amount not 0; src must outlive the object.
    TSwirl(const TBitmap& src, int amount);

    // Destination pixels [left, end) of row y into `row`, the destination's row y.
    void Row(int y, int left, int end, std::uint8_t* row) const;

    // How many pixels Row takes at once.
    static constexpr int kBatch = 32;

private:
    void DefinedPixel(int x, int y, std::uint8_t* out) const;

    int width_, height_, amount_;
    float cx_, cy_;
    std::vector<const std::uint8_t*> rows_;
};

} // namespace zorvic
