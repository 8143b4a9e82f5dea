#pragma once
#include "TBitmap.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace zorvic {

// BMP files, the bitmap's own file format.
//
// Written: a bottom-up file with a 40-byte BITMAPINFOHEADER, uncompressed, at the bitmap's own
// depth (1, 4, 8, 24 or 32 bits; indexed depths with their full colour table).
// Read: headers of 40 bytes and the longer versions after it, bottom-up or top-down, and
//   - 1, 4, 8, 24 and 32 bits, uncompressed, or 32 bits with the standard colour masks: a picture
//     of that depth (the spare byte of 32-bit pixels is read as 0);
//   - 16 bits (5-5-5 without masks), 16 or 32 bits under any colour masks, and 8 or 4 bits
//     run-length coded: a 24-bit picture. Mask channels of fewer than 8 bits repeat their bits,
//     wider ones keep their top 8; pixels a run-length coding skips take colour-table entry 0.
//
// Every size and offset in a file is checked against the data actually there before anything
// is read or any picture is made, so a truncated or lying file throws EFileError naming the file,
// is never read past its end, and never costs more memory than its own size justifies.

// The whole file as bytes.
std::vector<std::uint8_t> EncodeBmp(const TBitmap& bitmap);
// `name` is what error messages call the data, usually the path it came from.
TBitmap DecodeBmp(std::span<const std::uint8_t> data, const std::string& name);

// Writes through a temporary file renamed into place, so a failed save leaves the old file.
void SaveBmpFile(const TBitmap& bitmap, const std::string& path);
TBitmap LoadBmpFile(const std::string& path);

// Rewrites a complete, uncompressed, bottom-up 24-bit BMP file as another, a band of rows at a
// time: `work` gets each band as a 24-bit picture and may change its pixels in place. For work
// that treats each pixel alone, the file written is the one SaveBmpFile would write for the whole
// picture so changed, at about the cost of copying the file: a band stays in the processor's cache
// from reading to writing, and the picture is never held whole. False, with nothing written, for
// any other file, which LoadBmpFile reads or explains; EFileError for one that cannot be read or
// written.
bool RewriteBmpInBands(const std::string& inPath, const std::string& outPath,
                       const std::function<void(TBitmap& band)>& work);

// The whole content of a file; EFileError when it cannot be opened or read.
std::vector<std::uint8_t> ReadWholeFile(const std::string& path);

} // namespace zorvic
