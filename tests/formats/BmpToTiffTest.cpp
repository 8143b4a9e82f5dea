#include "BmpToTiff.h"

#include "Errors.h"
#include "FormatsTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zorvic {
namespace {

using test::MakeIndexedPattern;
using test::MakePattern;
using test::U16At;
using test::U32At;

std::vector<std::uint8_t> TiffBytes(const TBitmap& bitmap) {
    TMemoryStream stream;
    WriteTiffToStream(stream, bitmap);
    return stream.Bytes();
}

struct TEntry {
    std::uint16_t tag, type;
    std::uint32_t count, value;
};

std::vector<TEntry> Directory(const std::vector<std::uint8_t>& bytes) {
    const std::uint32_t at = U32At(bytes, 4);
    std::vector<TEntry> entries;
    for (int i = 0; i < U16At(bytes, at); ++i) {
        const std::size_t entry = at + 2 + 12 * i;
        entries.push_back({U16At(bytes, entry), U16At(bytes, entry + 2), U32At(bytes, entry + 4),
                           U32At(bytes, entry + 8)});
    }
    return entries;
}

TEntry EntryOf(const std::vector<std::uint8_t>& bytes, std::uint16_t tag) {
    for (const TEntry& entry : Directory(bytes))
        if (entry.tag == tag) return entry;
    ADD_FAILURE() << "no tag " << tag;
    return {};
}

constexpr std::uint16_t kShort = 3, kLong = 4;

TEST(BmpToTiff, OnePixelPictureIsTheSmallestRgbFile) {
    TBitmap bitmap(1, 1);
    bitmap.SetPixel(0, 0, MakeColor(10, 20, 30));
    const std::vector<std::uint8_t> bytes = TiffBytes(bitmap);

    ASSERT_EQ(bytes.size(), 229u);
    EXPECT_EQ(bytes[0], 'I');
    EXPECT_EQ(bytes[1], 'I');
    EXPECT_EQ(U16At(bytes, 2), 42);
    EXPECT_EQ(U32At(bytes, 4), 43u) << "directory right after the pixels, at an odd offset";
    EXPECT_EQ(U32At(bytes, 8), 877u);
    EXPECT_EQ(U32At(bytes, 12), 10u);
    EXPECT_EQ(U32At(bytes, 16), 877u);
    EXPECT_EQ(U32At(bytes, 20), 10u);
    EXPECT_EQ(U16At(bytes, 24), 8);
    EXPECT_EQ(U16At(bytes, 26), 8);
    EXPECT_EQ(U16At(bytes, 28), 8);
    EXPECT_EQ(std::string(bytes.begin() + 30, bytes.begin() + 40), "Vexlo soft");
    EXPECT_EQ(bytes[40], 10);
    EXPECT_EQ(bytes[41], 20);
    EXPECT_EQ(bytes[42], 30);
    EXPECT_EQ(U16At(bytes, 43), 15);
    EXPECT_EQ(U32At(bytes, 225), 0u);
}

TEST(BmpToTiff, RgbDirectoryHasTheFifteenEntriesInOrder) {
    const std::vector<std::uint8_t> bytes = TiffBytes(MakePattern(5, 3));
    const std::uint32_t pixels = 3 * 5 * 3;
    const std::vector<TEntry> expected = {
        {254, kLong, 1, 0},  {256, kShort, 1, 5},     {257, kShort, 1, 3}, {258, kShort, 3, 24},
        {259, kShort, 1, 1}, {262, kShort, 1, 2},     {273, kLong, 1, 40}, {277, kShort, 1, 3},
        {278, kLong, 1, 3},  {279, kLong, 1, pixels}, {282, 5, 1, 8},      {283, 5, 1, 16},
        {284, kShort, 1, 1}, {296, kShort, 1, 2},     {305, 2, 10, 30},
    };
    const std::vector<TEntry> entries = Directory(bytes);
    ASSERT_EQ(entries.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].tag);
        EXPECT_EQ(entries[i].tag, expected[i].tag);
        EXPECT_EQ(entries[i].type, expected[i].type);
        EXPECT_EQ(entries[i].count, expected[i].count);
        EXPECT_EQ(entries[i].value, expected[i].value);
    }
    EXPECT_EQ(bytes.size(), 226u + pixels);
}

TEST(BmpToTiff, RgbRowsAreUnpaddedTopRowFirstInRedGreenBlue) {
    const TBitmap bitmap = MakePattern(5, 3); // source rows are 16 bytes apart, file rows 15
    const std::vector<std::uint8_t> bytes = TiffBytes(bitmap);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const std::size_t at = 40 + 15 * y + 3 * x;
            const TColor colour = bitmap.GetPixel(x, y);
            EXPECT_EQ(bytes[at], RedOf(colour)) << x << "," << y;
            EXPECT_EQ(bytes[at + 1], GreenOf(colour)) << x << "," << y;
            EXPECT_EQ(bytes[at + 2], BlueOf(colour)) << x << "," << y;
        }
}

TEST(BmpToTiff, EightBitPictureUsesThePaletteLayout) {
    const TBitmap bitmap = MakeIndexedPattern(9, 4, TPixelFormat::pf8bit);
    const std::vector<std::uint8_t> bytes = TiffBytes(bitmap);

    EXPECT_EQ(EntryOf(bytes, 320).count, 768u);
    EXPECT_EQ(EntryOf(bytes, 320).value, 8u);
    EXPECT_EQ(EntryOf(bytes, 282).value, 1544u);
    EXPECT_EQ(EntryOf(bytes, 283).value, 1552u);
    EXPECT_EQ(EntryOf(bytes, 305).value, 1560u);
    EXPECT_EQ(EntryOf(bytes, 273).value, 1570u);
    EXPECT_EQ(EntryOf(bytes, 279).value, 9u * 4u);
    EXPECT_EQ(EntryOf(bytes, 258).value, 8u);
    EXPECT_EQ(EntryOf(bytes, 262).value, 3u);
    EXPECT_EQ(Directory(bytes).size(), 15u);
    EXPECT_EQ(bytes.size(), 1570u + 36u + 186u);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 9; ++x)
            EXPECT_EQ(bytes[1570 + 9 * y + x], bitmap.ScanLine(y)[x]);
}

TEST(BmpToTiff, ColourMapHoldsEachComponentInTheHighByte) {
    TBitmap bitmap(2, 2, TPixelFormat::pf8bit);
    std::vector<TColor> palette(256, clBlack);
    palette[3] = MakeColor(255, 0, 128);
    bitmap.SetPalette(palette);
    const std::vector<std::uint8_t> bytes = TiffBytes(bitmap);
    EXPECT_EQ(U16At(bytes, 8 + 2 * 3), 65280);
    EXPECT_EQ(U16At(bytes, 8 + 512 + 2 * 3), 0);
    EXPECT_EQ(U16At(bytes, 8 + 1024 + 2 * 3), 32768);
}

TEST(BmpToTiff, FourBitPictureKeepsItsFullWidth) {
    const TBitmap bitmap = MakeIndexedPattern(13, 3, TPixelFormat::pf4bit);
    const std::vector<std::uint8_t> bytes = TiffBytes(bitmap);

    EXPECT_EQ(EntryOf(bytes, 256).value, 13u);
    EXPECT_EQ(EntryOf(bytes, 279).value, 7u * 3u);
    EXPECT_EQ(EntryOf(bytes, 320).count, 48u);
    EXPECT_EQ(EntryOf(bytes, 282).value, 104u);
    EXPECT_EQ(EntryOf(bytes, 283).value, 112u);
    EXPECT_EQ(EntryOf(bytes, 305).value, 120u);
    EXPECT_EQ(EntryOf(bytes, 273).value, 130u);
    for (int y = 0; y < 3; ++y) {
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(bytes[130 + 7 * y + i], bitmap.ScanLine(y)[i]);
        // The thirteenth pixel fills the high half of the last byte; the low half is padding.
        EXPECT_EQ(bytes[130 + 7 * y + 6], bitmap.ScanLine(y)[6] & 0xF0);
    }
}

TEST(BmpToTiff, SidesOf65536OrMoreUseLongFields) {
    const std::vector<std::uint8_t> wide = TiffBytes(TBitmap(65536, 1));
    EXPECT_EQ(EntryOf(wide, 256).type, kLong);
    EXPECT_EQ(EntryOf(wide, 256).value, 65536u);
    EXPECT_EQ(EntryOf(wide, 257).type, kShort);

    const std::vector<std::uint8_t> widestShort =
        TiffBytes(TBitmap(65535, 1, TPixelFormat::pf8bit));
    EXPECT_EQ(EntryOf(widestShort, 256).type, kShort);
    EXPECT_EQ(EntryOf(widestShort, 256).value, 65535u);
}

TEST(BmpToTiff, EmptyPictureIsRefused) {
    TMemoryStream stream;
    EXPECT_THROW(WriteTiffToStream(stream, TBitmap()), EZorvicError);
    EXPECT_TRUE(stream.Bytes().empty());
}

TEST(BmpToTiff, OffsetsCountFromWhereTheFileStartsInTheStream) {
    const TBitmap bitmap = MakePattern(3, 2);
    TMemoryStream stream;
    stream.Write("prefix", 6);
    WriteTiffToStream(stream, bitmap);
    const std::vector<std::uint8_t> alone = TiffBytes(bitmap);
    const std::vector<std::uint8_t>& all = stream.Bytes();
    EXPECT_EQ(std::vector<std::uint8_t>(all.begin() + 6, all.end()), alone);
}

// libtiff notes that the Software text has no terminating zero, which is how it is written.
std::string WarningsOtherThanTheUnterminatedSoftwareText(const std::string& output) {
    std::string others;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);)
        if (line.find("Warning") != std::string::npos &&
            line.find("\"Software\" does not end in null byte") == std::string::npos)
            others += line + "\n";
    return others;
}

// The files as libtiff and ImageMagick read them, against a PPM of the same pixels.
struct TReadableCase {
    const char* name;
    int width, height;
    TPixelFormat format;
};

class BmpToTiffFiles : public ::testing::TestWithParam<TReadableCase> {};

TEST_P(BmpToTiffFiles, OutsideReadersSeeTheSamePixels) {
    const TReadableCase& c = GetParam();
    const TBitmap bitmap = HasPalette(c.format) ? MakeIndexedPattern(c.width, c.height, c.format)
                                                : MakePattern(c.width, c.height, c.format);
    test::TTempDir dir;
    const std::string tiff = dir.Path("picture.tif");
    const std::string reference = dir.Path("picture.ppm");
    WriteTiffToFile(tiff, bitmap);
    test::WritePpm(bitmap, reference);

    const test::TCommandResult info = test::Run("tiffinfo " + test::Quoted(tiff));
    EXPECT_EQ(info.exitCode, 0) << info.output;
    EXPECT_EQ(WarningsOtherThanTheUnterminatedSoftwareText(info.output), "") << info.output;
    EXPECT_NE(info.output.find("Image Width: " + std::to_string(c.width) +
                               " Image Length: " + std::to_string(c.height)),
              std::string::npos)
        << info.output;
    EXPECT_NE(info.output.find("Vexlo soft"), std::string::npos) << info.output;
    EXPECT_EQ(test::Run("tiffdump " + test::Quoted(tiff)).exitCode, 0);
    // A colour map component c is stored as c * 256, which readers scale back to a shade under c;
    // a wrong index would be far off in these palettes.
    EXPECT_EQ(test::DifferentPixels(reference, tiff, HasPalette(c.format) ? "0.6%" : "0"), 0);
}

INSTANTIATE_TEST_SUITE_P(
    TiffLayouts, BmpToTiffFiles,
    ::testing::Values(TReadableCase{"Rgb24OddWidth", 47, 33, TPixelFormat::pf24bit},
                      TReadableCase{"Rgb32", 20, 11, TPixelFormat::pf32bit},
                      TReadableCase{"Palette8", 31, 9, TPixelFormat::pf8bit},
                      TReadableCase{"Palette4OddWidth", 13, 5, TPixelFormat::pf4bit},
                      TReadableCase{"Monochrome", 19, 6, TPixelFormat::pf1bit}),
    [](const ::testing::TestParamInfo<TReadableCase>& info) { return info.param.name; });

TEST(BmpToTiffFile, LibtiffReadsAPictureWiderThanAShort) {
    test::TTempDir dir;
    const std::string tiff = dir.Path("wide.tif");
    WriteTiffToFile(tiff, TBitmap(65536, 1));
    const test::TCommandResult info = test::Run("tiffinfo " + test::Quoted(tiff));
    EXPECT_EQ(info.exitCode, 0) << info.output;
    EXPECT_NE(info.output.find("Image Width: 65536 Image Length: 1"), std::string::npos)
        << info.output;
}

TEST(BmpToTiffFile, ReplacesTheWholeContentOfAnExistingFile) {
    test::TTempDir dir;
    const std::string tiff = dir.Path("picture.tif");
    test::WriteText(tiff, std::string(5000, 'x'));
    const TBitmap bitmap = MakePattern(2, 2);
    WriteTiffToFile(tiff, bitmap);
    EXPECT_EQ(test::ReadBytes(tiff), TiffBytes(bitmap));
}

TEST(BmpToTiffFile, MissingFolderRaisesCannotCreateFile) {
    test::TTempDir dir;
    const std::string tiff = dir.Path("missing/picture.tif");
    try {
        WriteTiffToFile(tiff, MakePattern(2, 2));
        FAIL() << "no error";
    } catch (const EFileError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Cannot create file \"" + tiff + "\". ", 0), 0u)
            << error.what();
    }
}

TEST(BmpToTiffFile, WriteFailingHalfwayLeavesAnExistingFileAndNoLeftovers) {
    test::TTempDir dir;
    const std::string tiff = dir.Path("picture.tif");
    test::WriteText(tiff, "earlier picture");
    EXPECT_THROW(WriteFileAtomically(tiff,
                                     [](TOutputStream& stream) {
                                         stream.Write("half a picture", 14);
                                         throw EFileError("disk full");
                                     }),
                 EFileError);
    const std::vector<std::uint8_t> kept = test::ReadBytes(tiff);
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "earlier picture");
    EXPECT_EQ(dir.Files(), std::vector<std::string>{"picture.tif"});
}

} // namespace
} // namespace zorvic
