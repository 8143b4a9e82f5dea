#pragma once
#include "TBitmap.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zorvic::testing {

// A whole file; empty when it cannot be read.
std::string ReadText(const std::string& path);
std::vector<std::uint8_t> ReadBytes(const std::string& path);
// Writes the file whole, making its folder first.
void WriteText(const std::string& path, const std::string& text);
bool FileExists(const std::string& path);

// The picture as a binary PPM, written pixel by pixel through GetPixel: a reference that the
// outside tools read without any of our writers involved.
void WritePpm(const TBitmap& bitmap, const std::string& path);

} // namespace zorvic::testing
