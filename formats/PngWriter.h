#pragma once
#include "OutputStream.h"
#include "TBitmap.h"

namespace zorvic {

// A 24-bit truecolour PNG, not interlaced, with no chunks besides IHDR, IDAT and IEND, so the
// same picture always gives the same bytes. Lossless: decoding the file gives the picture's
// colours exactly. A 32-bit picture gives the same file as its 24-bit copy; an indexed one is
// expanded through its palette. Rows are filtered with "up" (the difference to the row above,
// which suits both screen content and photographs) and compressed with libdeflate.
// Throws EZorvicError for an empty picture; nothing is written to the stream then.
void WritePngToStream(TOutputStream& stream, const TBitmap& bitmap);

} // namespace zorvic
