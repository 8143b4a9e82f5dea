#pragma once
#include "TBitmap.h"
#include "TPoint.h"

namespace zorvic {

// The drag on the frozen screen: the corner points and the rubber band, which is XORed into the
// picture itself so that drawing the same band twice restores the pixels under it.
class TRubberBand {
public:
    // Button down at `point`: the band starts there, with nothing drawn yet.
    void Start(TBitmap& picture, TPoint point);
    // Erases the band at SelLast and draws the one reaching `point`.
    void MoveTo(TBitmap& picture, TPoint point);
    // Erases the band, leaving the frozen screen as it was grabbed.
    void Erase(TBitmap& picture);

    // The rectangle covering the band reaching `corner`, for repainting; right and bottom
    // exclusive.
    TRect Bounds(TPoint corner) const;

    TPoint SelStart;
    TPoint SelLast;

private:
    // The closed line through the four corners of SelStart and `corner`.
    void Draw(TBitmap& picture, TPoint corner);
};

} // namespace zorvic
