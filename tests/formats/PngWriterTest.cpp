// The PNG writer's files read back by libpng, ImageMagick and pngcheck.
#include "PngWriter.h"

#include "Errors.h"
#include "FormatConversion.h"
#include "FormatsTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

#include <png.h>

namespace zorvic {
namespace {

std::vector<std::uint8_t> PngBytes(const TBitmap& bitmap) {
    TMemoryStream stream;
    WritePngToStream(stream, bitmap);
    return stream.Bytes();
}

// Every pixel different from its neighbours and no run for the compressor to shorten.
TBitmap NoisePicture(int width, int height) {
    TBitmap picture(width, height, TPixelFormat::pf24bit);
    std::uint32_t state = 2463534242u;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = picture.ScanLine(y);
        for (int i = 0; i < 3 * width; ++i) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            // Half the bytes follow the row above, as in real pictures.
            row[i] = (state & 0x100) && y > 0 ? picture.ScanLine(y - 1)[i]
                                              : static_cast<std::uint8_t>(state);
        }
    }
    return picture;
}

// libpng's reading of the file as rows of blue, green, red; empty when libpng refuses it.
std::vector<std::uint8_t> DecodeWithLibpng(const std::vector<std::uint8_t>& file, int& width,
                                           int& height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) return {};
    image.format = PNG_FORMAT_BGR;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return {};
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    return pixels;
}

TEST(PngWriter, LibpngReadsBackThePictureByteForByte) {
    const struct {
        const char* name;
        TBitmap picture;
    } cases[] = {
        {"one pixel", test::MakePattern(1, 1)},
        {"odd width", test::MakePattern(37, 11)},
        {"4K", NoisePicture(3840, 2160)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int width = 0;
        int height = 0;
        const std::vector<std::uint8_t> pixels =
            DecodeWithLibpng(PngBytes(c.picture), width, height);
        ASSERT_EQ(width, c.picture.Width());
        ASSERT_EQ(height, c.picture.Height());
        const std::size_t rowBytes = 3 * static_cast<std::size_t>(width);
        for (int y = 0; y < height; ++y)
            ASSERT_EQ(std::memcmp(pixels.data() + rowBytes * static_cast<std::size_t>(y),
                                  c.picture.ScanLine(y), rowBytes),
                      0)
                << "row " << y;
    }
}

TEST(PngWriter, ImageMagickAndPngcheckReadTheSamePixels) {
    test::TTempDir dir;
    const TBitmap picture = test::MakePattern(301, 29);
    const std::string png = dir.Path("picture.png");
    SaveAsPng(picture, png);
    test::WritePpm(picture, dir.Path("reference.ppm"));
    EXPECT_EQ(test::DifferentPixels(dir.Path("reference.ppm"), png), 0);
    const test::TCommandResult check = test::Run("pngcheck " + test::Quoted(png));
    EXPECT_EQ(check.exitCode, 0) << check.output;
    EXPECT_NE(check.output.find("OK: "), std::string::npos) << check.output;
    EXPECT_NE(check.output.find("301x29, 24-bit RGB, non-interlaced"), std::string::npos)
        << check.output;
}

TEST(PngWriter, ThePictureAloneDecidesTheFile) {
    const TBitmap picture = test::MakePattern(301, 29);
    const std::vector<std::uint8_t> file = PngBytes(picture);
    EXPECT_EQ(PngBytes(picture), file) << "a second writing";
    EXPECT_EQ(PngBytes(test::ConvertedCopy(picture, TPixelFormat::pf32bit)), file);
    for (const TPixelFormat format :
         {TPixelFormat::pf1bit, TPixelFormat::pf4bit, TPixelFormat::pf8bit}) {
        SCOPED_TRACE(BitsPerPixel(format));
        const TBitmap indexed = test::MakeIndexedPattern(301, 29, format);
        EXPECT_EQ(PngBytes(indexed), PngBytes(test::ConvertedCopy(indexed, TPixelFormat::pf24bit)));
    }
}

TEST(PngWriter, AnEmptyPictureIsRefusedBeforeAnyByte) {
    TMemoryStream stream;
    EXPECT_THROW(WritePngToStream(stream, TBitmap()), EZorvicError);
    EXPECT_TRUE(stream.Bytes().empty());
}

} // namespace
} // namespace zorvic
