#include "Spray.h"

#include "Random.h"

#include <cmath>

namespace zorvic {

int SprayReach(int radius) {
    // 0.65L and the product carry 64 mantissa bits; several radii (190, 350, 390) then land just
    // below the half and round down where a double would round up.
    const long double product = radius * 0.65L;
    return static_cast<int>(std::nearbyint(product));
}

void SprayAt(TBitmap& bmp, TPoint point, int radius, TColor color) {
    SeedRandom();
    const int reach = SprayReach(radius);
    for (int dot = 0; dot <= radius; ++dot) {
        // The draws keep this order: sign of x, x, sign of y, y.
        const int signX = RandomBelow(100);
        int dx = RandomBelow(reach);
        if (signX < 50) dx = -dx;
        const int signY = RandomBelow(100);
        int dy = RandomBelow(reach);
        if (signY < 50) dy = -dy;
        if (dx * dx + dy * dy < reach * reach) bmp.SetPixel(point.x + dx, point.y + dy, color);
    }
}

} // namespace zorvic
