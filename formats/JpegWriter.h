#pragma once
#include "OutputStream.h"
#include "TBitmap.h"

namespace zorvic {

constexpr int kMinJpegQuality = 1;
constexpr int kMaxJpegQuality = 100;
constexpr int kDefaultJpegQuality = 80;

// Baseline JPEG through libjpeg: its defaults, then the quality with baseline tables forced;
// colour, not progressive, the library's default sampling and DCT. A 32-bit picture gives the
// same file as its 24-bit copy; an indexed one is expanded through its palette.
// Throws EZorvicError for a quality outside 1..100, an empty picture, or libjpeg's own errors
// (with libjpeg's message); nothing is written to the stream then.
void WriteJpegToStream(TOutputStream& stream, const TBitmap& bitmap, int quality);

} // namespace zorvic
