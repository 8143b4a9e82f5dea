#include "EditHistory.h"

#include "Transforms.h"

namespace zorvic {

void TEditHistory::PushUndoStep(const TBitmap& picture) {
    BakImage3 = BakImage1;
    BakImage1 = picture;
    BakImage2 = picture;
}

const TBitmap& TEditHistory::Undo() {
    BakImage1 = BakImage3;
    return BakImage1;
}

void TEditHistory::SeedWithFourQuarterTurns(const TBitmap& shown) {
    // Three clockwise turns before the last one: one counter-clockwise turn.
    BakImage3 = shown;
    RotateBitmap270(BakImage3);
    BakImage1 = shown;
    BakImage2 = shown;
}

} // namespace zorvic
