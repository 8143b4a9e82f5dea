#include "FormatsTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>

namespace zorvic::test {

TTempDir::TTempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "zorvic-formats-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TTempDir::~TTempDir() {
    std::error_code error;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(path_, error);
}

std::vector<std::string> TTempDir::Files() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TCommandResult Run(const std::string& command, bool withErrors) {
    TCommandResult result;
    std::FILE* pipe = popen((command + (withErrors ? " 2>&1" : " 2>/dev/null")).c_str(), "r");
    if (!pipe) return result;
    std::array<char, 4096> buffer;
    std::size_t got;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.output.append(buffer.data(), got);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

void WritePpm(const TBitmap& bitmap, const std::string& path) {
    std::string data =
        "P6\n" + std::to_string(bitmap.Width()) + " " + std::to_string(bitmap.Height()) + "\n255\n";
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            const TColor colour = bitmap.GetPixel(x, y);
            data += static_cast<char>(RedOf(colour));
            data += static_cast<char>(GreenOf(colour));
            data += static_cast<char>(BlueOf(colour));
        }
    WriteBytes(path, data);
}

namespace {

TCommandResult Compare(const std::string& metric, const std::string& a, const std::string& b,
                       const std::string& fuzz = "0") {
    const TCommandResult result = Run("compare -fuzz " + fuzz + " -metric " + metric + " " +
                                      Quoted(a) + " " + Quoted(b) + " null:");
    // compare exits 0 for equal pictures, 1 for different ones, 2 when it could not compare.
    EXPECT_LE(result.exitCode, 1) << result.output;
    return result;
}

} // namespace

long DifferentPixels(const std::string& a, const std::string& b, const std::string& fuzz) {
    const TCommandResult result = Compare("AE", a, b, fuzz);
    return result.exitCode <= 1 ? std::stol(result.output) : -1;
}

double MeanAbsoluteError(const std::string& a, const std::string& b) {
    // Prints "<absolute> (<normalised>)".
    const TCommandResult result = Compare("MAE", a, b);
    const std::size_t open = result.output.find('(');
    return open == std::string::npos ? 1.0 : std::stod(result.output.substr(open + 1));
}

std::string Identify(const std::string& format, const std::string& path) {
    return Run("identify -format " + Quoted(format) + " " + Quoted(path), false).output;
}

std::uint16_t U16At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes.at(offset) | bytes.at(offset + 1) << 8);
}

std::uint32_t U32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return U16At(bytes, offset) | static_cast<std::uint32_t>(U16At(bytes, offset + 2)) << 16;
}

TBitmap MakePattern(int width, int height, TPixelFormat format) {
    TBitmap bitmap(width, height, format);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, MakeColor(x * 37 + y, y * 53 + 7 * x, (x * y + 91) * 11));
    return bitmap;
}

TBitmap ConvertedCopy(const TBitmap& bitmap, TPixelFormat format) {
    TBitmap copy = bitmap;
    copy.SetPixelFormat(format);
    return copy;
}

TBitmap MakeIndexedPattern(int width, int height, TPixelFormat format) {
    TBitmap bitmap(width, height, format);
    const int entries = 1 << BitsPerPixel(format);
    std::vector<TColor> palette;
    for (int i = 0; i < entries; ++i)
        palette.push_back(MakeColor(255 - i, (i * 97) % 256, (i * 31 + 5) % 256));
    bitmap.SetPalette(palette);
    // Indices are written through the row bytes, as the format packs them.
    const int bits = BitsPerPixel(format);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            const int index = (x * 7 + y * 3) % entries;
            const int bit = x * bits;
            const int shift = 8 - bits - bit % 8;
            row[bit / 8] = static_cast<std::uint8_t>((row[bit / 8] & ~((entries - 1) << shift)) |
                                                     index << shift);
        }
    }
    return bitmap;
}

} // namespace zorvic::test
