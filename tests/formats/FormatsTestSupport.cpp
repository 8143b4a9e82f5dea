#include "FormatsTestSupport.h"

#include <gtest/gtest.h>

namespace zorvic::test {

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
