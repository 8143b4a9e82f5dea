#pragma once
#include "Commands.h"
#include "Files.h"
#include "TBitmap.h"
#include "TempDir.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zorvic::test {

// The shared helpers the tests of this folder and the camera's use by these names.
using testing::Identify;
using testing::Quoted;
using testing::ReadBytes;
using testing::ReadText;
using testing::Run;
using testing::TCommandResult;
using testing::TTempDir;
using testing::WritePpm;
using testing::WriteText;

// Pixels that differ between two image files, by ImageMagick's compare -metric AE; `fuzz` (such
// as "1%") lets colours that near pass as equal.
long DifferentPixels(const std::string& a, const std::string& b, const std::string& fuzz = "0");
// Mean absolute difference, normalised to 0..1, by ImageMagick's compare -metric MAE.
double MeanAbsoluteError(const std::string& a, const std::string& b);

std::uint16_t U16At(const std::vector<std::uint8_t>& bytes, std::size_t offset);
std::uint32_t U32At(const std::vector<std::uint8_t>& bytes, std::size_t offset);

// A picture whose every pixel differs from its neighbours, so mix-ups of rows, columns or channels
// show.
TBitmap MakePattern(int width, int height, TPixelFormat format = TPixelFormat::pf24bit);
// A copy of the picture in another pixel format.
TBitmap ConvertedCopy(const TBitmap& bitmap, TPixelFormat format);

// An indexed picture with a palette of its own (not the format's default) and varied indices.
TBitmap MakeIndexedPattern(int width, int height, TPixelFormat format);

} // namespace zorvic::test
