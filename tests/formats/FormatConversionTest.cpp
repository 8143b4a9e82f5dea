#include "FormatConversion.h"

#include "Errors.h"
#include "FormatsTestSupport.h"
#include "JpegWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <malloc.h>

namespace zorvic {
namespace {

bool Exists(const std::string& path) {
    return std::filesystem::exists(path);
}

std::string FileStart(const std::string& path, std::size_t length) {
    const std::vector<std::uint8_t> bytes = test::ReadBytes(path);
    return std::string(bytes.begin(), bytes.begin() + std::min(length, bytes.size()));
}

TEST(FormatConversion, ExtensionsFollowTheFormatList) {
    EXPECT_STREQ(ExtensionOfFormat(kFormatBmp), ".bmp");
    EXPECT_STREQ(ExtensionOfFormat(kFormatJpg), ".jpg");
    EXPECT_STREQ(ExtensionOfFormat(kFormatGif), ".gif");
    EXPECT_STREQ(ExtensionOfFormat(kFormatTif), ".tif");
    EXPECT_STREQ(ExtensionOfFormat(kFormatPng), ".png");
    EXPECT_STREQ(ExtensionOfFormat(5), "");
    EXPECT_STREQ(ExtensionOfFormat(-1), "");
}

TEST(FormatConversion, SavePictureWritesEachFormatOfTheList) {
    const TBitmap bitmap = test::MakePattern(12, 7);
    test::TTempDir dir;
    const std::pair<int, std::string> starts[] = {{kFormatBmp, "BM"},
                                                  {kFormatJpg, "\xFF\xD8\xFF"},
                                                  {kFormatGif, "GIF8"},
                                                  {kFormatTif, std::string("II*\0", 4)},
                                                  {kFormatPng, "\x89PNG\r\n\x1A\n"}};
    for (const auto& [format, start] : starts) {
        SCOPED_TRACE(format);
        const std::string path = dir.Path(std::string("picture") + ExtensionOfFormat(format));
        SavePicture(bitmap, path, format, kDefaultJpegQuality);
        EXPECT_EQ(FileStart(path, start.size()), start);
        EXPECT_EQ(test::Identify("%w %h", path), "12 7");
    }
}

// Every byte a writer puts in a file comes from the picture, never from what the memory held
// before: the same picture written from memory dirtied two different ways gives the same file.
// glibc fills each new block with the complement of the M_PERTURB byte; the pictures are made
// large enough (above 1 KB) for their blocks to come from where it does so.
TEST(FormatConversion, EveryWriterGivesTheSameFileWhateverTheMemoryHeld) {
    const int formats[] = {kFormatBmp, kFormatJpg, kFormatGif, kFormatTif, kFormatPng};
    // 301 pixels: every depth has a part-filled last byte or padding at the end of its rows.
    const TBitmap picture = test::MakePattern(301, 29);
    const std::vector<std::pair<TBitmap, TPixelFormat>> conversions{
        {test::MakeIndexedPattern(301, 29, TPixelFormat::pf1bit), TPixelFormat::pf24bit},
        {test::MakeIndexedPattern(301, 29, TPixelFormat::pf4bit), TPixelFormat::pf24bit},
        {test::MakeIndexedPattern(301, 29, TPixelFormat::pf8bit), TPixelFormat::pf24bit},
        {test::ConvertedCopy(picture, TPixelFormat::pf32bit), TPixelFormat::pf24bit},
        {picture, TPixelFormat::pf1bit},
        {picture, TPixelFormat::pf4bit},
        {picture, TPixelFormat::pf8bit},
    };
    test::TTempDir dir;
    for (const int format : formats) {
        for (const auto& [source, target] : conversions) {
            SCOPED_TRACE(std::string(ExtensionOfFormat(format)) + " from " +
                         std::to_string(BitsPerPixel(source.PixelFormat())) + " to " +
                         std::to_string(BitsPerPixel(target)) + " bits");
            std::vector<std::vector<std::uint8_t>> files;
            for (const int dirt : {0x5A, 0xC3}) {
                mallopt(M_PERTURB, dirt);
                TBitmap converted = source;
                converted.SetPixelFormat(target);
                const std::string path =
                    dir.Path("picture" + std::to_string(dirt) + ExtensionOfFormat(format));
                SavePicture(converted, path, format, kDefaultJpegQuality);
                mallopt(M_PERTURB, 0);
                files.push_back(test::ReadBytes(path));
            }
            EXPECT_EQ(files[0], files[1]);
        }
    }
}

TEST(FormatConversion, SavePictureRefusesAnUnknownFormatAndWritesNothing) {
    test::TTempDir dir;
    EXPECT_THROW(SavePicture(test::MakePattern(2, 2), dir.Path("x.webp"), 5, 80), EZorvicError);
    EXPECT_TRUE(dir.Files().empty());
}

// One conversion of the camera: its format, the target's name and how exact the result is.
struct TConversionCase {
    const char* name;
    int format;
    bool lossy;
};

class BmpConversion : public ::testing::TestWithParam<TConversionCase> {
protected:
    void Convert(const std::string& from, const std::string& to) {
        ConvertBmpToFormat(from, to, GetParam().format, 90);
    }
    test::TTempDir dir;
    const std::string bmp = dir.Path("frame.bmp");
    const std::string target =
        dir.Path(std::string("frame") + ExtensionOfFormat(GetParam().format));
};

TEST_P(BmpConversion, WritesTheTargetAndThenDeletesTheBmp) {
    TBitmap frame(40, 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            frame.SetPixel(x, y, x < 20 ? MakeColor(200, 30, 30) : MakeColor(20, 40, 220 - y));
    frame.SaveToFile(bmp);
    const std::string reference = dir.Path("frame.ppm");
    test::WritePpm(frame, reference);
    test::WriteText(target, "an older file of that name");

    Convert(bmp, target);

    EXPECT_FALSE(Exists(bmp));
    if (GetParam().lossy)
        EXPECT_LT(test::MeanAbsoluteError(reference, target), 0.02);
    else
        EXPECT_EQ(test::DifferentPixels(reference, target), 0);
}

TEST_P(BmpConversion, MissingBmpIsNoErrorAndCreatesNothing) {
    EXPECT_NO_THROW(Convert(bmp, target));
    EXPECT_TRUE(dir.Files().empty());
}

TEST_P(BmpConversion, FailedWriteKeepsTheBmp) {
    test::MakePattern(5, 5).SaveToFile(bmp);
    const std::string unwritable = dir.Path("missing/frame.out");
    try {
        Convert(bmp, unwritable);
        FAIL() << "no error";
    } catch (const EFileError& error) {
        EXPECT_NE(std::string(error.what()).find("Cannot create file \"" + unwritable + "\""),
                  std::string::npos)
            << error.what();
    }
    EXPECT_TRUE(Exists(bmp));
}

TEST_P(BmpConversion, UnreadableBmpIsReportedAndKept) {
    test::WriteText(bmp, "not a picture");
    EXPECT_THROW(Convert(bmp, target), EZorvicError);
    EXPECT_TRUE(Exists(bmp));
    EXPECT_FALSE(Exists(target));
}

TEST_P(BmpConversion, ConvertingAFileOntoItselfIsRefusedAndKeepsIt) {
    test::MakePattern(5, 5).SaveToFile(bmp);
    const std::vector<std::uint8_t> before = test::ReadBytes(bmp);
    EXPECT_THROW(Convert(bmp, bmp), EZorvicError);
    EXPECT_EQ(test::ReadBytes(bmp), before);
}

INSTANTIATE_TEST_SUITE_P(CameraFormats, BmpConversion,
                         ::testing::Values(TConversionCase{"Jpeg", kFormatJpg, true},
                                           TConversionCase{"Gif", kFormatGif, false},
                                           TConversionCase{"Tiff", kFormatTif, false},
                                           TConversionCase{"Png", kFormatPng, false}),
                         [](const ::testing::TestParamInfo<TConversionCase>& info) {
                             return info.param.name;
                         });

TEST(FormatConversion, BmpFormatLeavesTheCameraFileInPlace) {
    test::TTempDir dir;
    const std::string bmp = dir.Path("frame.bmp");
    test::MakePattern(5, 5).SaveToFile(bmp);
    const std::vector<std::uint8_t> before = test::ReadBytes(bmp);
    ConvertBmpToFormat(bmp, bmp, kFormatBmp, 80);
    EXPECT_EQ(test::ReadBytes(bmp), before);
}

TEST(FormatConversion, BmpFormatUnderAnotherNameRewritesThePictureThere) {
    test::TTempDir dir;
    const std::string bmp = dir.Path("frame.bmp");
    const TBitmap frame = test::MakePattern(5, 5);
    frame.SaveToFile(bmp);
    ConvertBmpToFormat(bmp, dir.Path("copy.bmp"), kFormatBmp, 80);
    EXPECT_EQ(dir.Files(), std::vector<std::string>{"copy.bmp"});
    test::WritePpm(frame, dir.Path("frame.ppm"));
    EXPECT_EQ(test::DifferentPixels(dir.Path("frame.ppm"), dir.Path("copy.bmp")), 0);
}

TEST(FormatConversion, NamedConversionsUseTheirFormat) {
    test::TTempDir dir;
    const TBitmap frame = test::MakePattern(6, 4);
    frame.SaveToFile(dir.Path("a.bmp"));
    frame.SaveToFile(dir.Path("b.bmp"));
    frame.SaveToFile(dir.Path("c.bmp"));
    ConvertBmpToJpg(dir.Path("a.bmp"), dir.Path("a.jpg"), 1);
    ConvertBmpToGif(dir.Path("b.bmp"), dir.Path("b.gif"));
    ConvertBmpToTif(dir.Path("c.bmp"), dir.Path("c.tif"));
    EXPECT_EQ(dir.Files(), (std::vector<std::string>{"a.jpg", "b.gif", "c.tif"}));
    EXPECT_EQ(test::Identify("%m %Q", dir.Path("a.jpg")), "JPEG 1");
    EXPECT_EQ(test::Identify("%m", dir.Path("b.gif")), "GIF");
    EXPECT_EQ(test::Identify("%m", dir.Path("c.tif")), "TIFF");
}

} // namespace
} // namespace zorvic
