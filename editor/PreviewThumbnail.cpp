#include "PreviewThumbnail.h"

#include "TCanvas.h"

#include <algorithm>

namespace zorvic {

namespace {

// The shorter side scaled with the longer one; 64-bit, as 180 times a long side overflows an int.
int ScaledSide(int side, int longerSide) {
    return std::max(1, static_cast<int>(std::int64_t{kThumbnailSide} * side / longerSide));
}

} // namespace

TBitmap MakeThumbnail(const TBitmap& picture) {
    // A 24-bit picture is shared, not copied; only another format is converted.
    TBitmap source = picture;
    source.SetPixelFormat(TPixelFormat::pf24bit);
    const int width = source.Width(), height = source.Height();
    TBitmap thumbnail = height >= width ? TBitmap(ScaledSide(width, height), kThumbnailSide)
                                        : TBitmap(kThumbnailSide, ScaledSide(height, width));
    thumbnail.Canvas().StretchMode = TStretchMode::ColorOnColor;
    thumbnail.Canvas().StretchDraw({0, 0, thumbnail.Width(), thumbnail.Height()}, source);
    return thumbnail;
}

} // namespace zorvic
