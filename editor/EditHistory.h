#pragma once
#include "TBitmap.h"

namespace zorvic {

// One step of whole-picture history. Copies share their pixels with the picture until either
// is changed, so recording a step costs no pixel copy by itself.
class TEditHistory {
public:
    TBitmap BakImage1; // current copy: the picture as the last recorded command left it
    TBitmap BakImage2; // redo copy: the same, untouched by Undo
    TBitmap BakImage3; // undo copy: the picture before the last recorded command
    TBitmap BakImage4; // spare

    // Called after a command changed the picture. The undo copy takes the previous current copy
    // before the current copy takes the new picture.
    void PushUndoStep(const TBitmap& picture);
    // The undo copy, which also becomes the current copy.
    const TBitmap& Undo();
    const TBitmap& Redo() const { return BakImage2; }

    // The state four recorded quarter turns of `shown` leave: current and redo copies `shown`,
    // the undo copy `shown` turned a quarter counter-clockwise. `shown` must be 24-bit.
    void SeedWithFourQuarterTurns(const TBitmap& shown);
};

} // namespace zorvic
