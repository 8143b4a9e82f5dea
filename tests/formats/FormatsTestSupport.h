#pragma once
#include "TBitmap.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zorvic::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;
    std::string Path(const std::string& name) const { return path_ + "/" + name; }
    // Names of the files in the folder, sorted.
    std::vector<std::string> Files() const;

private:
    std::string path_;
};

struct TCommandResult {
    int exitCode = -1;
    std::string output; // stdout, and stderr after it unless left out
};
TCommandResult Run(const std::string& command, bool withErrors = true);
std::string Quoted(const std::string& text);

std::vector<std::uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// The picture as a binary PPM, written pixel by pixel through GetPixel: a reference that the
// outside tools read without any of our writers involved.
void WritePpm(const TBitmap& bitmap, const std::string& path);

// Pixels that differ between two image files, by ImageMagick's compare -metric AE; `fuzz` (such
// as "1%") lets colours that near pass as equal.
long DifferentPixels(const std::string& a, const std::string& b, const std::string& fuzz = "0");
// Mean absolute difference, normalised to 0..1, by ImageMagick's compare -metric MAE.
double MeanAbsoluteError(const std::string& a, const std::string& b);
// identify -format of a file, such as "%Q" or "%n"; its warnings left out.
std::string Identify(const std::string& format, const std::string& path);

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
