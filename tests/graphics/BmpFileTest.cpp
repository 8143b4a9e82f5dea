#include "BmpFile.h"
#include "BmpFixtures.h"
#include "Commands.h"
#include "Errors.h"
#include "Files.h"
#include "PixelArt.h"
#include "TBitmap.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <sys/resource.h>

namespace zorvic {
namespace {

namespace fs = std::filesystem;
using test::Gradient;
using test::MaskedRows;
using test::SamePixels;
using test::TBmpFixture;

// A fresh folder for the files of one test, removed afterwards.
class BmpFile : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return folder_.Path(name); }

    testing::TTempDir folder_;
};

// ImageMagick compares a file with a PPM, a second, trivial format (a comparison fails outright
// when the sizes differ).
using testing::WritePpm;

TBitmap ReadPpm(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int width = 0, height = 0, maximum = 0;
    in >> magic >> width >> height >> maximum;
    in.get();
    TBitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int r = in.get(), g = in.get(), b = in.get();
            bitmap.SetPixel(x, y, MakeColor(r, g, b));
        }
    return bitmap;
}

// A picture that uses many entries of an indexed format's colour table.
TBitmap IndexedPicture(TPixelFormat format) {
    TBitmap bitmap(47, 33, format);
    std::vector<TColor> palette;
    for (int i = 0; i < (1 << BitsPerPixel(format)); ++i)
        palette.push_back(MakeColor(i * 37 % 256, 255 - i, i * 11 % 256));
    bitmap.SetPalette(palette);
    for (int y = 0; y < 33; ++y)
        for (int x = 0; x < 47; ++x)
            bitmap.SetPixel(x, y, palette[(x * 3 + y * 7) % palette.size()]);
    return bitmap;
}

TEST_F(BmpFile, EveryDepthRoundTripsAndImageMagickReadsTheSamePixels) {
    const std::vector<TBitmap> pictures{
        IndexedPicture(TPixelFormat::pf1bit), IndexedPicture(TPixelFormat::pf4bit),
        IndexedPicture(TPixelFormat::pf8bit), Gradient(47, 33, TPixelFormat::pf24bit),
        Gradient(47, 33, TPixelFormat::pf32bit)};
    for (const TBitmap& picture : pictures) {
        const int bits = BitsPerPixel(picture.PixelFormat());
        const std::string bmp = Path("picture" + std::to_string(bits) + ".bmp");
        const std::string ppm = Path("expected" + std::to_string(bits) + ".ppm");
        picture.SaveToFile(bmp);
        WritePpm(picture, ppm);

        TBitmap loaded;
        loaded.LoadFromFile(bmp);
        EXPECT_EQ(loaded.PixelFormat(), picture.PixelFormat());
        EXPECT_TRUE(SamePixels(loaded, picture)) << bits << " bits";
        EXPECT_EQ(loaded.Palette(), picture.Palette());

        EXPECT_EQ(testing::Run("compare -metric AE " + bmp + " " + ppm + " null:").output, "0")
            << bits << " bits";
        const std::vector<std::uint8_t> bytes = ReadWholeFile(bmp);
        EXPECT_EQ(bytes[28], bits);
        EXPECT_EQ(bytes.size(), 54 + (bits <= 8 ? 4u << bits : 0) + picture.Stride() * 33u);
    }
}

TEST_F(BmpFile, FilesOfOtherWritersLoad) {
    const std::string ppm = Path("source.ppm");
    WritePpm(Gradient(47, 33), ppm);
    // ImageMagick's own variants: 32 bits with colour masks, palettes of 8, 4 and 1 bits.
    const std::vector<std::tuple<std::string, std::string, TPixelFormat>> variants{
        {"-alpha set -define bmp:format=bmp4", "BMP:masks.bmp", TPixelFormat::pf32bit},
        {"+dither -colors 200 -compress none", "BMP3:palette8.bmp", TPixelFormat::pf8bit},
        {"+dither -colors 9 -compress none", "BMP3:palette4.bmp", TPixelFormat::pf4bit},
        {"+dither -colors 2 -compress none", "BMP3:bilevel.bmp", TPixelFormat::pf1bit},
        {"+dither -colors 200 -compress RLE", "BMP3:rle8.bmp", TPixelFormat::pf24bit},
        {"-define bmp:subtype=RGB565", "BMP:rgb565.bmp", TPixelFormat::pf24bit},
        {"-define bmp:subtype=RGB555", "BMP:rgb555.bmp", TPixelFormat::pf24bit},
    };
    for (const auto& [options, target, format] : variants) {
        const std::string name = target.substr(target.find(':') + 1);
        const std::string file = Path(name);
        testing::Run("convert " + ppm + " " + options + " " +
                     target.substr(0, target.find(':') + 1) + file);
        const std::string reference = Path(name + ".ppm");
        testing::Run("convert " + file + " -depth 8 " + reference);
        const TBitmap loaded = LoadBmpFile(file);
        EXPECT_EQ(loaded.PixelFormat(), format) << name;
        EXPECT_TRUE(SamePixels(loaded, ReadPpm(reference))) << name;
    }
}

const std::vector<TColor> kFourColours{MakeColor(10, 20, 30), MakeColor(200, 0, 0),
                                       MakeColor(0, 200, 0), MakeColor(0, 0, 200)};

// Run-length coded files of three rows in the four colours.
TBmpFixture RleFixture(int width, int bits, std::vector<std::uint8_t> codes) {
    TBmpFixture fixture;
    fixture.width = width;
    fixture.height = 3;
    fixture.bits = bits;
    fixture.compression = bits == 8 ? 1 : 2;
    fixture.palette = kFourColours;
    fixture.pixels = std::move(codes);
    return fixture;
}

// 5 x 3 from the bottom row: a run of two, three pixels one by one with their padding byte, end of
// row; a move two to the right, a run of one, end of picture: the rest keeps colour 0.
TBmpFixture Rle8Fixture() {
    return RleFixture(5, 8, {2, 1, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 2, 0, 1, 3, 0, 1});
}

// 7 x 3 from the bottom row: a run alternating two indices, a run of one, end of row; three
// pixels one by one, a move one right and one up, a run of three, end of picture.
TBmpFixture Rle4Fixture() {
    return RleFixture(7, 4, {5, 0x12, 2, 0x33, 0, 0, 0, 3, 0x31, 0x20, 0, 2, 1, 1, 3, 0x21, 0, 1});
}

// 16-bit and masked files of the picture.
TBmpFixture MaskedFixture(const TBitmap& picture, int bits, const std::vector<std::uint32_t>& masks,
                          bool withMasks, std::uint32_t headerSize, bool topDown) {
    TBmpFixture fixture;
    fixture.width = picture.Width();
    fixture.height = topDown ? -picture.Height() : picture.Height();
    fixture.bits = bits;
    fixture.compression = withMasks ? 3 : 0;
    fixture.headerSize = headerSize;
    if (withMasks) fixture.masks = masks;
    fixture.pixels = MaskedRows(picture, bits, masks, topDown);
    return fixture;
}

bool WithinOneLevel(const TBitmap& a, const TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) {
            const TColor p = a.GetPixel(x, y), q = b.GetPixel(x, y);
            if (std::abs(RedOf(p) - RedOf(q)) > 1 || std::abs(GreenOf(p) - GreenOf(q)) > 1 ||
                std::abs(BlueOf(p) - BlueOf(q)) > 1)
                return false;
        }
    return true;
}

TEST_F(BmpFile, EveryKindOfFileLoadsWithImageMagicksPixels) {
    // An odd width, so that 16-bit rows end in padding.
    const TBitmap picture = Gradient(23, 11);
    const std::vector<std::uint32_t> k555{0x7C00, 0x03E0, 0x001F};
    const std::vector<std::uint32_t> k565{0xF800, 0x07E0, 0x001F};
    const std::vector<std::uint32_t> kRgbx{0x000000FF, 0x0000FF00, 0x00FF0000};
    const std::vector<std::uint32_t> k101110{0x7FE00000, 0x001FFC00, 0x000003FF};
    // ImageMagick reads channels wider than 8 bits by dividing instead of keeping their top bits,
    // which loses up to one level (1023 of 1023 becomes 254); ours give the stored picture back.
    struct Kind {
        std::string name;
        TBmpFixture fixture;
        bool widerThanBytes;
    };
    const std::vector<Kind> kinds{
        {"16 bits 5-5-5", MaskedFixture(picture, 16, k555, false, 40, false), false},
        {"16 bits 5-5-5 top-down", MaskedFixture(picture, 16, k555, false, 40, true), false},
        {"16 bits 5-6-5 masks", MaskedFixture(picture, 16, k565, true, 40, false), false},
        {"16 bits 5-6-5 masks top-down", MaskedFixture(picture, 16, k565, true, 40, true), false},
        {"16 bits 5-5-5 masks in a long header", MaskedFixture(picture, 16, k555, true, 124, false),
         false},
        {"32 bits R, G, B, x masks", MaskedFixture(picture, 32, kRgbx, true, 56, false), false},
        {"32 bits 10-11-10 masks top-down", MaskedFixture(picture, 32, k101110, true, 108, true),
         true},
        {"RLE8", Rle8Fixture(), false},
        {"RLE4", Rle4Fixture(), false},
    };
    for (const Kind& kind : kinds) {
        const std::vector<std::uint8_t> bytes = kind.fixture.Bytes();
        const std::string file = Path("kind.bmp");
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        testing::Run("convert " + file + " -depth 8 " + Path("reference.ppm"));
        const TBitmap reference = ReadPpm(Path("reference.ppm"));

        const TBitmap loaded = LoadBmpFile(file);
        EXPECT_EQ(loaded.PixelFormat(), TPixelFormat::pf24bit) << kind.name;
        EXPECT_TRUE(SamePixels(DecodeBmp(bytes, kind.name), loaded)) << kind.name;
        if (kind.widerThanBytes) {
            EXPECT_TRUE(SamePixels(loaded, picture)) << kind.name;
            EXPECT_TRUE(WithinOneLevel(loaded, reference)) << kind.name;
        } else {
            EXPECT_TRUE(SamePixels(loaded, reference)) << kind.name;
        }
    }
}

TEST_F(BmpFile, TopDownFilesLoadUpright) {
    const TBitmap picture = Gradient(47, 33);
    std::vector<std::uint8_t> bytes = EncodeBmp(picture);
    // Turn the bottom-up file into a top-down one: negative height, rows reversed.
    const std::int32_t negative = -33;
    std::memcpy(bytes.data() + 22, &negative, 4);
    const std::size_t stride = picture.Stride();
    for (int y = 0; y < 33; ++y)
        std::memcpy(bytes.data() + 54 + stride * y, picture.ScanLine(y), stride);
    EXPECT_TRUE(SamePixels(DecodeBmp(bytes, "top-down"), picture));
}

// Rows go to and from files in batches of as many as the system takes in one call: pictures of
// more rows than that round-trip, bottom-up as written and top-down as other writers make them,
// and ImageMagick reads the same pixels.
TEST_F(BmpFile, PicturesOfMoreRowsThanOneSystemCallTakesRoundTrip) {
    const int height = 2 * IOV_MAX + 37;
    for (const TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
        const TBitmap picture = Gradient(5, height, format);
        const std::string bmp = Path("tall.bmp");
        const std::string ppm = Path("tall.ppm");
        picture.SaveToFile(bmp);
        WritePpm(picture, ppm);
        EXPECT_TRUE(SamePixels(LoadBmpFile(bmp), picture));
        EXPECT_EQ(testing::Run("compare -metric AE " + bmp + " " + ppm + " null:").output, "0");

        std::vector<std::uint8_t> bytes = ReadWholeFile(bmp);
        const std::int32_t negative = -height;
        std::memcpy(bytes.data() + 22, &negative, 4);
        const std::size_t stride = picture.Stride();
        for (int y = 0; y < height; ++y)
            std::memcpy(bytes.data() + 54 + stride * y, picture.ScanLine(y), stride);
        const std::string topDown = Path("top-down.bmp");
        std::ofstream(topDown, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        EXPECT_TRUE(SamePixels(LoadBmpFile(topDown), picture));
    }
}

// Large files are read in two halves on two threads, which meet in the middle of a row.
TEST_F(BmpFile, LargePicturesReadInTwoHalvesComeBackWhole) {
    const TBitmap picture = Gradient(1501, 1001);
    picture.SaveToFile(Path("large.bmp"));
    EXPECT_TRUE(SamePixels(LoadBmpFile(Path("large.bmp")), picture));
}

// A write that the system refuses part-way (here at a limit on the file's size) fails with the
// reason, and leaves the earlier file as it was and nothing else: a whole picture written at once,
// and a file rewritten band by band.
TEST_F(BmpFile, AWriteThatFailsPartWayKeepsTheEarlierFileAndLeavesNoOther) {
    const std::string path = Path("picture.bmp");
    const std::string large = Path("large.bmp");
    Gradient(10, 10).SaveToFile(path);
    Gradient(1000, 2 * IOV_MAX).SaveToFile(large);
    const std::vector<std::uint8_t> earlier = ReadWholeFile(path);
    const std::vector<std::function<void()>> writes{
        [&] { LoadBmpFile(large).SaveToFile(path); },
        [&] { RewriteBmpInBands(large, path, [](TBitmap&) {}); }};
    for (const auto& write : writes) {
        rlimit saved{};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const rlimit small{100000, saved.rlim_max};
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        std::string message;
        try {
            write();
        } catch (const EFileError& error) {
            message = error.what();
        }
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
        EXPECT_NE(message.find("Cannot write file \"" + path + "\""), std::string::npos) << message;
        EXPECT_NE(message.find(std::strerror(EFBIG)), std::string::npos) << message;
        EXPECT_EQ(ReadWholeFile(path), earlier);
        EXPECT_EQ(std::distance(fs::directory_iterator(folder_.Path()), fs::directory_iterator()),
                  2);
    }
}

// A plain 24-bit file rewritten a band at a time, with work on each pixel alone, is the file of
// the whole picture so changed: here over several bands, the last one shorter, with rows padded
// to four bytes, and once with the same file as source and target.
TEST_F(BmpFile, RewritingInBandsGivesTheFileOfTheWholePictureChanged) {
    auto invert = [](TBitmap& picture) {
        for (int y = 0; y < picture.Height(); ++y)
            for (int i = 0; i < 3 * picture.Width(); ++i)
                picture.ScanLine(y)[i] = static_cast<std::uint8_t>(255 - picture.ScanLine(y)[i]);
    };
    const TBitmap picture = Gradient(1001, 1500);
    TBitmap inverted = picture;
    invert(inverted);
    const std::string source = Path("source.bmp");
    picture.SaveToFile(source);
    int rows = 0;
    int bands = 0;
    ASSERT_TRUE(RewriteBmpInBands(source, Path("out.bmp"), [&](TBitmap& band) {
        rows += band.Height();
        ++bands;
        invert(band);
    }));
    EXPECT_EQ(rows, 1500);
    EXPECT_GT(bands, 2);
    EXPECT_EQ(ReadWholeFile(Path("out.bmp")), EncodeBmp(inverted));
    ASSERT_TRUE(RewriteBmpInBands(source, source, invert));
    EXPECT_EQ(ReadWholeFile(source), EncodeBmp(inverted));
}

// Files of any other kind are left to the whole-picture reader, which reads or explains them:
// nothing is written and no work is done. A BMP whose headers lie fails as the reader fails.
TEST_F(BmpFile, RewritingInBandsLeavesOtherFilesToTheReader) {
    std::vector<std::uint8_t> truncated = EncodeBmp(Gradient(5, 4));
    truncated.pop_back();
    TBmpFixture topDown;
    topDown.width = 5;
    topDown.height = -4;
    topDown.pixels.assign(4 * 16, 0x40);
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> files{
        {"8-bit", EncodeBmp(IndexedPicture(TPixelFormat::pf8bit))},
        {"32-bit", EncodeBmp(Gradient(5, 4, TPixelFormat::pf32bit))},
        {"top-down", topDown.Bytes()},
        {"truncated", truncated},
        {"PNG", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0, 0, 13}},
    };
    for (const auto& [kind, bytes] : files) {
        SCOPED_TRACE(kind);
        const std::string source = Path(kind + ".bmp");
        std::ofstream(source, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        bool worked = false;
        EXPECT_FALSE(RewriteBmpInBands(source, Path("out.bmp"), [&](TBitmap&) { worked = true; }));
        EXPECT_FALSE(worked);
        EXPECT_FALSE(fs::exists(Path("out.bmp")));
    }

    std::vector<std::uint8_t> twoPlanes = EncodeBmp(Gradient(5, 4));
    twoPlanes[26] = 2;
    const std::string lying = Path("lying.bmp");
    std::ofstream(lying, std::ios::binary)
        .write(reinterpret_cast<const char*>(twoPlanes.data()),
               static_cast<std::streamsize>(twoPlanes.size()));
    std::string readerMessage, bandsMessage;
    try {
        LoadBmpFile(lying);
    } catch (const EFileError& error) {
        readerMessage = error.what();
    }
    try {
        RewriteBmpInBands(lying, Path("out.bmp"), [](TBitmap&) {});
    } catch (const EFileError& error) {
        bandsMessage = error.what();
    }
    EXPECT_NE(readerMessage, "");
    EXPECT_EQ(bandsMessage, readerMessage);
    EXPECT_FALSE(fs::exists(Path("out.bmp")));
}

TEST_F(BmpFile, EmptyPicturesRoundTrip) {
    TBitmap empty;
    empty.SaveToFile(Path("empty.bmp"));
    TBitmap loaded(5, 5);
    loaded.LoadFromFile(Path("empty.bmp"));
    EXPECT_TRUE(loaded.Empty());
}

void Put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    std::memcpy(bytes.data() + at, &value, 4);
}

// The file with its pixel data, from the pixel offset on, replaced by `codes`.
void PutCodes(std::vector<std::uint8_t>& bytes, const std::vector<std::uint8_t>& codes) {
    std::uint32_t offset = 0;
    std::memcpy(&offset, bytes.data() + 10, 4);
    bytes.resize(offset);
    bytes.insert(bytes.end(), codes.begin(), codes.end());
}

void ClaimHugeSize(std::vector<std::uint8_t>& bytes) {
    Put32(bytes, 18, 60000);
    Put32(bytes, 22, 60000);
}

TEST_F(BmpFile, DamagedOrLyingFilesAreRejectedWithTheirName) {
    const std::vector<std::uint8_t> good8 = EncodeBmp(IndexedPicture(TPixelFormat::pf8bit));
    const std::vector<std::uint8_t> good24 = EncodeBmp(Gradient(47, 33));
    const std::vector<std::uint8_t> good32 = EncodeBmp(Gradient(47, 33, TPixelFormat::pf32bit));
    const std::vector<std::uint8_t> good16 =
        MaskedFixture(Gradient(47, 33), 16, {0xF800, 0x07E0, 0x001F}, true, 40, false).Bytes();
    const std::vector<std::uint8_t> rle8 = Rle8Fixture().Bytes();
    const std::vector<std::uint8_t> rle4 = Rle4Fixture().Bytes();
    using Damage = std::function<void(std::vector<std::uint8_t>&)>;
    using Bytes = const std::vector<std::uint8_t>*;
    const std::vector<std::tuple<std::string, Bytes, Damage, std::string>> cases{
        {"empty file", &good8, [](auto& b) { b.clear(); }, "too short"},
        {"cut in the file header", &good8, [](auto& b) { b.resize(10); }, "too short"},
        {"cut in the info header", &good8, [](auto& b) { b.resize(30); }, "inside its header"},
        {"cut in the colour table", &good8, [](auto& b) { b.resize(300); }, "colour table"},
        {"cut in the pixels", &good8, [](auto& b) { b.resize(b.size() - 1); },
         "pixel data is complete"},
        {"no signature", &good8, [](auto& b) { b[0] = 'X'; }, "signature"},
        {"pixel offset past the end", &good8,
         [](auto& b) { Put32(b, 10, static_cast<std::uint32_t>(b.size()) + 1); }, "past the end"},
        {"pixel offset at the limit", &good8, [](auto& b) { Put32(b, 10, 0xFFFFFFFF); },
         "past the end"},
        {"pixel offset 0", &good8, [](auto& b) { Put32(b, 10, 0); }, "inside its headers"},
        {"pixel offset 2", &good8, [](auto& b) { Put32(b, 10, 2); }, "inside its headers"},
        {"pixel offset inside the masks", &good16, [](auto& b) { Put32(b, 10, 60); },
         "inside its headers"},
        {"planes 0", &good8, [](auto& b) { b[26] = 0; }, "planes field is 0, not 1"},
        {"planes 2", &good24, [](auto& b) { b[26] = 2; }, "planes field is 2, not 1"},
        {"pixels claimed beyond the file", &good8, [](auto& b) { Put32(b, 22, 34); },
         "pixel data is complete"},
        {"60000 x 60000 pixels in 100 bytes", &good24,
         [](auto& b) { ClaimHugeSize(b), b.resize(100); }, "pixel data is complete"},
        {"header size beyond the file", &good8, [](auto& b) { Put32(b, 14, 200), b.resize(100); },
         "inside its header"},
        {"header size absurd", &good8, [](auto& b) { Put32(b, 14, 0xFFFFFFF0); }, "header size"},
        {"old short header", &good8, [](auto& b) { Put32(b, 14, 12); }, "header size"},
        {"negative width", &good8, [](auto& b) { Put32(b, 18, static_cast<std::uint32_t>(-47)); },
         "negative width"},
        {"absurd width", &good8, [](auto& b) { Put32(b, 18, 0x7FFFFFFF); }, "too large"},
        {"smallest height", &good8, [](auto& b) { Put32(b, 22, 0x80000000); }, "too large"},
        {"12 bits", &good8, [](auto& b) { b[28] = 12; }, "colour depth"},
        {"16 bits claimed over 8-bit pixels", &good8, [](auto& b) { b[28] = 16; },
         "pixel data is complete"},
        {"colour table too large", &good8, [](auto& b) { Put32(b, 46, 257); },
         "too large for 8 bits"},
        {"masks at 8 bits", &good8, [](auto& b) { Put32(b, 30, 3); }, "compression 3 at 8 bits"},
        {"masks at 24 bits", &good24, [](auto& b) { Put32(b, 30, 3); }, "compression 3 at 24 bits"},
        {"unknown compression", &good24, [](auto& b) { Put32(b, 30, 4); }, "compression 4"},
        {"colour masks claimed over the pixels", &good32, [](auto& b) { Put32(b, 30, 3); },
         "inside its headers"},
        {"masks cut off", &good32,
         [](auto& b) {
             Put32(b, 30, 3);
             b.resize(60);
         },
         "ends inside its colour masks"},
        {"masks cut off after a 44-byte header", &good32,
         [](auto& b) {
             Put32(b, 14, 44);
             Put32(b, 30, 3);
             b.resize(60);
         },
         "ends inside its colour masks"},
        {"16 bits cut in the pixels", &good16, [](auto& b) { b.resize(b.size() - 1); },
         "pixel data is complete"},
        {"16 bits, 60000 x 60000 pixels", &good16, ClaimHugeSize, "pixel data is complete"},
        {"mask outside 16-bit pixels", &good16, [](auto& b) { Put32(b, 54, 0x001F0000); },
         "outside its 16-bit pixels"},
        {"mask in pieces", &good16, [](auto& b) { Put32(b, 58, 0x0505); }, "one run of bits"},
        {"run-length coding claimed over plain pixels", &good8, [](auto& b) { Put32(b, 30, 1); },
         "compressed pixels"},
        {"RLE8 at 4 bits", &rle8, [](auto& b) { b[28] = 4; }, "compression 1 at 4 bits"},
        {"RLE stored top-down", &rle8,
         [](auto& b) { Put32(b, 22, static_cast<std::uint32_t>(-3)); }, "top-down"},
        {"RLE 60000 x 60000 pixels", &rle8, ClaimHugeSize, "cannot hold 60000 x 60000 pixels"},
        {"RLE run past the padded row", &rle8,
         [](auto& b) {
             PutCodes(b, {9, 1, 0, 1});
         },
         "past the end of a row"},
        {"RLE4 run past the padded row", &rle4,
         [](auto& b) {
             PutCodes(b, {9, 0x12, 0, 1});
         },
         "past the end of a row"},
        {"RLE pixels one by one past the row", &rle8,
         [](auto& b) {
             PutCodes(b, {0, 9, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 1});
         },
         "past the end of a row"},
        {"RLE rows past the last", &rle8,
         [](auto& b) {
             PutCodes(b, {0, 0, 0, 0, 0, 0, 1, 1});
         },
         "past the last row"},
        {"RLE move out of the picture", &rle8,
         [](auto& b) {
             PutCodes(b, {0, 2, 0, 3, 0, 1});
         },
         "leaves the picture"},
        {"RLE without its end", &rle8, [](auto& b) { b.resize(b.size() - 2); },
         "ends inside its compressed pixels"},
        {"RLE of no pixels without codes", &rle4, [](auto& b) { Put32(b, 18, 0), PutCodes(b, {}); },
         "ends inside its compressed pixels"},
        {"RLE cut in a move", &rle8,
         [](auto& b) {
             PutCodes(b, {0, 2, 1});
         },
         "ends inside its compressed pixels"},
        {"RLE cut in pixels one by one", &rle4,
         [](auto& b) {
             PutCodes(b, {0, 7, 0x12});
         },
         "ends inside its compressed pixels"},
    };
    for (const auto& [what, base, damage, reason] : cases) {
        std::vector<std::uint8_t> bytes = *base;
        damage(bytes);
        // Exactly as large as the damaged file: a reader that runs past it is caught by ASan.
        std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[bytes.size() + !bytes.size()]);
        std::copy(bytes.begin(), bytes.end(), exact.get());
        try {
            DecodeBmp({exact.get(), bytes.size()}, "/some/where/bad.bmp");
            ADD_FAILURE() << what << " was accepted";
        } catch (const EFileError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find("\"/some/where/bad.bmp\""), std::string::npos) << message;
            EXPECT_NE(message.find(reason), std::string::npos) << what << ": " << message;
        }
        // Loading from a file reads the headers and the rows separately: the same checks hold.
        const std::string file = Path("bad.bmp");
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        try {
            LoadBmpFile(file);
            ADD_FAILURE() << what << " was accepted from a file";
        } catch (const EFileError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(file), std::string::npos) << message;
            EXPECT_NE(message.find(reason), std::string::npos) << what << ": " << message;
        }
    }
}

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZORVIC_ADDRESS_SANITIZER 1
#endif
#endif

// Exits 0 when the file is refused as invalid, printing why.
[[noreturn]] void DecodeWithinOneGigabyte(const std::vector<std::uint8_t>& bytes) {
    const rlimit limit{1u << 30, 1u << 30};
    setrlimit(RLIMIT_AS, &limit);
    try {
        DecodeBmp(bytes, "lying.bmp");
    } catch (const EFileError& error) {
        std::fputs(error.what(), stderr);
        std::_Exit(0);
    } catch (const std::exception& error) {
        std::fputs(error.what(), stderr);
    }
    std::_Exit(1);
}

// Under an address-space limit far below what lying files claim, each is still refused for what is
// wrong with it: no picture is made before the file is known to hold its pixels.
TEST_F(BmpFile, LyingSizesAreRefusedBeforeAnyPictureIsMade) {
#ifdef ZORVIC_ADDRESS_SANITIZER
    GTEST_SKIP() << "AddressSanitizer keeps more address space than the limit allows";
#endif
    std::vector<std::uint8_t> plain = EncodeBmp(Gradient(47, 33));
    std::vector<std::uint8_t> masked =
        MaskedFixture(Gradient(47, 33), 16, {0xF800, 0x07E0, 0x001F}, true, 40, false).Bytes();
    std::vector<std::uint8_t> coded = Rle8Fixture().Bytes();
    for (std::vector<std::uint8_t>* bytes : {&plain, &masked, &coded}) {
        ClaimHugeSize(*bytes);
        bytes->resize(std::min<std::size_t>(bytes->size(), 100));
        EXPECT_EXIT(DecodeWithinOneGigabyte(*bytes), ::testing::ExitedWithCode(0),
                    "not a valid bitmap")
            << int{(*bytes)[28]} << " bits";
    }
}

TEST_F(BmpFile, MissingFilesAndUnwritableFoldersThrowFileErrors) {
    TBitmap bitmap(3, 3);
    EXPECT_THROW(bitmap.LoadFromFile(Path("missing.bmp")), EFileError);
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_THROW(bitmap.SaveToFile(Path("no/such/folder/x.bmp")), EFileError);
    try {
        LoadBmpFile(Path("missing.bmp"));
    } catch (const EFileError& error) {
        EXPECT_NE(std::string(error.what()).find("missing.bmp"), std::string::npos);
    }
}

TEST_F(BmpFile, ASavedFileReplacesTheOldOneWithoutLeftovers) {
    const std::string path = Path("picture.bmp");
    TBitmap(10, 10).SaveToFile(path);
    Gradient(47, 33).SaveToFile(path);
    EXPECT_EQ(LoadBmpFile(path).Width(), 47);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_.Path()), fs::directory_iterator()), 1);
}

} // namespace
} // namespace zorvic
