#pragma once
#include "Files.h"
#include "TempDir.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zorvic::test {

namespace fs = std::filesystem;

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

using PixelFunction = std::function<Rgb(int x, int y)>;

// A 24-bit BMP built by hand, bottom-up with padded rows, so the inputs do not depend on the
// program's own BMP code.
std::vector<std::uint8_t> BmpBytes(int width, int height, const PixelFunction& pixel);
void WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes);
using testing::ReadBytes;
using testing::TTempDir;

// A small picture with different colours everywhere, so any misplaced pixel shows.
Rgb TestPattern(int x, int y);
void WritePatternBmp(const fs::path& path, int width = 47, int height = 33);

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};
// `display` sets $DISPLAY for the run, "" unsets it; without it the run inherits the test's own.
CliResult RunCli(const std::vector<std::string>& arguments,
                 const std::optional<std::string>& display = std::nullopt);
// A failure is one line on stderr, "zorvic-cli: ..." mentioning `needle`, and nothing on stdout.
void ExpectFailure(const CliResult& result, int status, const std::string& needle);

// ImageMagick as the independent reader.
std::string Identify(const fs::path& path, const std::string& format = "%m %w %h");
// Number of differing pixels; -1 when the sizes differ or a file cannot be read.
long DifferingPixels(const fs::path& a, const fs::path& b);
// ImageMagick's own version of a picture: `convert IN <operators> OUT`.
void MagickConvert(const fs::path& input, const std::string& operators, const fs::path& output);
Rgb PixelAt(const fs::path& path, int x, int y);

} // namespace zorvic::test
