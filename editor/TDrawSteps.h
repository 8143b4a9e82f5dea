#pragma once
#include "TCanvas.h"
#include "TPoint.h"

#include <array>
#include <cstdint>

namespace zorvic {

class TBitmap;

// The shapes drawn with the shape tools, with the pen and brush each was drawn with, up to 60.
// Entries 1 .. Count are valid (index 0 is unused so the numbers match the shapes' order).
class TDrawSteps {
public:
    static constexpr int kCapacity = 60;

    std::array<TPoint, kCapacity + 1> StartPoints{};
    std::array<TPoint, kCapacity + 1> EndPoints{};
    std::array<std::uint8_t, kCapacity + 1> Kinds{};
    std::array<TPenStyle, kCapacity + 1> PenStyles{};
    std::array<TBrushStyle, kCapacity + 1> BrushStyles{};
    std::array<TColor, kCapacity + 1> PenColors{};
    std::array<TColor, kCapacity + 1> BrushColors{};
    int Count = 0;

    // Records a finished shape with the canvas's pen and brush as they are now; a shape beyond
    // the 60th is not recorded.
    void AddStep(TPoint start, TPoint end, std::uint8_t kind, const TCanvas& canvas);
    void DropLast();

    // Paints the picture over with the button-highlight colour and redraws every shape but the
    // last, which it drops. The canvas and `shapeKind` keep the last redrawn shape's settings.
    // `area` is the image control's size, which the paint-over covers.
    void ReplayShapes(TBitmap& picture, TPoint area, std::uint8_t& shapeKind);
};

} // namespace zorvic
