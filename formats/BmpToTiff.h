#pragma once
#include "OutputStream.h"
#include "TBitmap.h"

#include <string>

namespace zorvic {

// Uncompressed TIFF, Intel byte order, one image in one strip, 87.7 pixels per inch, Software
// "Vexlo soft" (10 bytes, no terminating zero). Offsets are counted from the stream position at
// entry. Blocks follow one another without gaps or alignment:
//
// RGB layout (24 and 32 bits per pixel; 8 bits per sample R, G, B):
//   0 header "II", 42, directory offset | 8 XResolution 877/10 | 16 YResolution 877/10 |
//   24 BitsPerSample 8,8,8 | 30 Software | 40 pixels, 3*W bytes a row, top row first |
//   40+3WH directory of 15 entries, next-directory offset 0. File size 226 + 3WH.
//
// Palette layout (1, 4 and 8 bits per pixel; N = 2^bits colour-map entries):
//   0 header | 8 colour map red, green, blue, N 16-bit values each (component * 256) |
//   8+6N XResolution | 16+6N YResolution | 24+6N Software | 34+6N pixels, R bytes a row, top row
//   first, R = ceil(W * bits / 8) | then the directory of 15 entries and 0.
//
// ImageWidth and ImageLength are SHORT below 65536 and LONG from there on. A picture whose file
// would pass 4 GB, or an empty picture, throws EZorvicError before anything is written.
void WriteTiffToStream(TOutputStream& stream, const TBitmap& bitmap);

// Writes the TIFF to a temporary file renamed over `target` only when complete: a failure leaves
// any earlier file of that name as it was. Throws EFileError "Cannot create file "<target>". ..."
// when the file cannot be created.
void WriteTiffToFile(const std::string& target, const TBitmap& bitmap);

} // namespace zorvic
