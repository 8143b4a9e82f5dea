#pragma once
#include "TPoint.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace zorvic {

// The pointer's picture: premultiplied ARGB, one 0xAARRGGBB value per pixel, rows top first.
struct CursorImage {
    int Width = 0;
    int Height = 0;
    // The pixel of the picture that sits at the pointer position.
    TPoint HotSpot;
    std::vector<std::uint32_t> Argb;
};

class CursorSource {
public:
    virtual ~CursorSource() = default;
    // Pointer position in root-window coordinates.
    virtual TPoint Position() = 0;
    // The cursor shown now, whichever program set it; nothing when the cursor is hidden.
    virtual std::optional<CursorImage> Current() = 0;
};

} // namespace zorvic
