#include "JpegWriter.h"

#include "Errors.h"
#include "FormatConversion.h"
#include "FormatsTestSupport.h"
#include "TCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zorvic {
namespace {

using test::MakePattern;

std::vector<std::uint8_t> JpegBytes(const TBitmap& bitmap, int quality) {
    TMemoryStream stream;
    WriteJpegToStream(stream, bitmap, quality);
    return stream.Bytes();
}

bool HasMarker(const std::vector<std::uint8_t>& bytes, std::uint8_t marker) {
    const std::uint8_t pattern[2] = {0xFF, marker};
    return std::search(bytes.begin(), bytes.end(), pattern, pattern + 2) != bytes.end();
}

// Smooth colours, which chroma subsampling keeps, so the quality alone decides the error.
TBitmap MakeSmoothPicture(int width, int height) {
    TBitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, MakeColor(x * 5, y * 7, 128 + (x - y)));
    return bitmap;
}

TEST(JpegWriter, QualitiesOneAndHundredBothGiveBaselineFilesThatDecode) {
    const TBitmap bitmap = MakeSmoothPicture(47, 33);
    test::TTempDir dir;
    const std::string reference = dir.Path("picture.ppm");
    test::WritePpm(bitmap, reference);
    std::vector<std::vector<std::uint8_t>> files;
    for (int quality : {1, 100}) {
        SCOPED_TRACE(quality);
        const std::string jpeg = dir.Path("q" + std::to_string(quality) + ".jpg");
        SaveAsJpg(bitmap, jpeg, quality);
        files.push_back(test::ReadBytes(jpeg));

        const test::TCommandResult decoded =
            test::Run("djpeg -pnm -outfile /dev/null " + test::Quoted(jpeg));
        EXPECT_EQ(decoded.exitCode, 0) << decoded.output;
        EXPECT_EQ(decoded.output, "");
        EXPECT_EQ(test::Identify("%w %h %[interlace] %Q", jpeg),
                  "47 33 None " + std::to_string(quality));
        EXPECT_TRUE(HasMarker(files.back(), 0xC0)) << "baseline frame";
        EXPECT_FALSE(HasMarker(files.back(), 0xC2)) << "progressive frame";
    }
    EXPECT_NE(files[0], files[1]);
    EXPECT_LT(files[0].size(), files[1].size());
    // Quality 100 stays close to the source; quality 1 is visibly coarser.
    EXPECT_LT(test::MeanAbsoluteError(reference, dir.Path("q100.jpg")), 0.01);
    EXPECT_GT(test::MeanAbsoluteError(reference, dir.Path("q1.jpg")),
              test::MeanAbsoluteError(reference, dir.Path("q100.jpg")));
}

// Huffman tables fitted to the picture change only how the coefficients are coded: decoded, the
// file gives exactly the pixels of libjpeg's standard encoding at that quality (cjpeg's, from the
// same pixels, baseline tables), in fewer bytes.
TEST(JpegWriter, FittedTablesGiveTheStandardEncodingsPixelsInFewerBytes) {
    // Mostly flat, as screens are, with a smooth patch and fine detail: odd sizes, so the
    // subsampled edges count too.
    TBitmap bitmap(203, 117);
    bitmap.Canvas().Draw(60, 30, MakeSmoothPicture(71, 45));
    bitmap.Canvas().Draw(150, 70, MakePattern(41, 29));
    test::TTempDir dir;
    const std::string reference = dir.Path("picture.ppm");
    test::WritePpm(bitmap, reference);
    for (int quality : {1, 50, 80, 100}) {
        SCOPED_TRACE(quality);
        const std::string ours = dir.Path("ours.jpg");
        const std::string standard = dir.Path("standard.jpg");
        SaveAsJpg(bitmap, ours, quality);
        const test::TCommandResult encoded =
            test::Run("cjpeg -baseline -quality " + std::to_string(quality) + " -outfile " +
                      test::Quoted(standard) + " " + test::Quoted(reference));
        ASSERT_EQ(encoded.exitCode, 0) << encoded.output;
        for (const std::string& file : {ours, standard}) {
            const test::TCommandResult decoded = test::Run(
                "djpeg -ppm -outfile " + test::Quoted(file + ".ppm") + " " + test::Quoted(file));
            ASSERT_EQ(decoded.exitCode, 0) << decoded.output;
        }
        EXPECT_EQ(test::ReadBytes(ours + ".ppm"), test::ReadBytes(standard + ".ppm"));
        EXPECT_LT(test::ReadBytes(ours).size(), test::ReadBytes(standard).size());
    }
}

TEST(JpegWriter, IndexedPicturesAreExpandedThroughTheirPalette) {
    for (TPixelFormat format : {TPixelFormat::pf1bit, TPixelFormat::pf4bit, TPixelFormat::pf8bit}) {
        SCOPED_TRACE(BitsPerPixel(format));
        const TBitmap indexed = test::MakeIndexedPattern(21, 13, format);
        const TBitmap rgb = test::ConvertedCopy(indexed, TPixelFormat::pf24bit);
        EXPECT_EQ(JpegBytes(indexed, 75), JpegBytes(rgb, 75));
    }
}

TEST(JpegWriter, TopRowComesFirst) {
    TBitmap bitmap(16, 16);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            bitmap.SetPixel(x, y, clBlack);
    test::TTempDir dir;
    const std::string jpeg = dir.Path("half.jpg");
    SaveAsJpg(bitmap, jpeg, 100);
    const test::TCommandResult top = test::Run("convert " + test::Quoted(jpeg) +
                                               " -crop 1x1+8+2 -format '%[fx:int(255*r)]' info:");
    const test::TCommandResult bottom = test::Run(
        "convert " + test::Quoted(jpeg) + " -crop 1x1+8+13 -format '%[fx:int(255*r)]' info:");
    EXPECT_LT(std::stoi(top.output), 10) << top.output;
    EXPECT_GT(std::stoi(bottom.output), 245) << bottom.output;
}

TEST(JpegWriter, QualityOutsideOneToHundredIsRefusedAndWritesNothing) {
    test::TTempDir dir;
    for (int quality : {0, 101, -5}) {
        SCOPED_TRACE(quality);
        EXPECT_THROW(SaveAsJpg(MakePattern(4, 4), dir.Path("x.jpg"), quality), EZorvicError);
    }
    EXPECT_TRUE(dir.Files().empty());
}

// The earlier file it leaves alone is checked with the other writers (PictureWritersTest).
TEST(JpegWriter, LibjpegErrorBecomesAnExceptionInsteadOfEndingTheProgram) {
    test::TTempDir dir;
    try {
        SaveAsJpg(TBitmap(70000, 1), dir.Path("too-wide.jpg"), 80);
        FAIL() << "no error";
    } catch (const EZorvicError& error) {
        EXPECT_NE(std::string(error.what()).find("65500"), std::string::npos) << error.what();
    }
    // The encoder is usable again after the failure.
    EXPECT_FALSE(JpegBytes(MakePattern(3, 3), 80).empty());
}

TEST(JpegWriter, EmptyPictureIsRefused) {
    TMemoryStream stream;
    EXPECT_THROW(WriteJpegToStream(stream, TBitmap(), 80), EZorvicError);
    EXPECT_TRUE(stream.Bytes().empty());
}

} // namespace
} // namespace zorvic
