#pragma once
#include "TBitmap.h"

namespace zorvic {

// What the magnifier page says at the moment of a step.
struct TMagnifierSettings {
    int Magnification = 2; // M, 2..50
    int Radius = 30;       // R, 10..100
    bool Round = false;
    bool Border = true;
    TColor BorderColor = clBlack;
};

// The window's size for a magnification and a radius: the source square's half side
// r = R / M (rounded, halves to even), at least 2, and the window's half side h = r * M.
struct TMagnifierWindow {
    int SourceRadius = 0;
    int HalfSize = 0;
    // r came out below 2 and was raised; the page's radius then becomes 2 * M.
    bool Raised = false;
};
TMagnifierWindow MagnifierWindow(int magnification, int radius);

// The magnifier's window drawn over the picture. Each step gives the picture the enlarged
// window around the pointer on the unchanged snapshot taken at the press, exactly as if the
// snapshot were copied whole and the window drawn on the copy; only the previous window's
// area is put back from the snapshot, so a step costs the window's size, not the picture's.
// Where the source square reaches past the picture's edge the magnifier sees black: the square
// window shows it, the round one lets the picture show through (black is its transparent colour).
class TMagnifier {
public:
    // `picture` must equal `snapshot` except where this magnifier drew last. Returns the
    // picture's area that changed.
    TRect Magnify(TBitmap& picture, const TBitmap& snapshot, const TMagnifierSettings& settings,
                  TPoint at);
    // The picture equals the snapshot again: nothing to put back at the next step.
    void Forget() { shown_ = TRect{}; }

private:
    void DrawSquare(TBitmap& picture, const TMagnifierSettings& settings, TPoint at, int half);
    void DrawRound(TBitmap& picture, const TMagnifierSettings& settings, TPoint at, int half);

    TRect shown_;
    TBitmap source_; // the source square, black beyond the picture
    TBitmap mask_;   // the round window and its ring
};

} // namespace zorvic
