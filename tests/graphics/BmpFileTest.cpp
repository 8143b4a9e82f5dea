#include "BmpFile.h"
#include "Errors.h"
#include "PixelArt.h"
#include "TBitmap.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

namespace zorvic {
namespace {

namespace fs = std::filesystem;
using test::Gradient;
using test::SamePixels;

// A fresh folder for the files of one test, removed afterwards.
class BmpFile : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/zorvic-bmp-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { fs::remove_all(folder_); }
    std::string Path(const std::string& name) const { return (folder_ / name).string(); }

    fs::path folder_;
};

std::string Shell(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen((command + " 2>&1").c_str(), "r"), pclose);
    std::string output;
    std::array<char, 4096> buffer{};
    while (pipe && fgets(buffer.data(), buffer.size(), pipe.get()))
        output += buffer.data();
    return output;
}

// The picture as a binary PPM: a second, trivial format that ImageMagick compares against
// (a comparison fails outright when the sizes differ).
void WritePpm(const TBitmap& bitmap, const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << bitmap.Width() << " " << bitmap.Height() << "\n255\n";
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            const TColor c = bitmap.GetPixel(x, y);
            out.put(static_cast<char>(RedOf(c)))
                .put(static_cast<char>(GreenOf(c)))
                .put(static_cast<char>(BlueOf(c)));
        }
}

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

        EXPECT_EQ(Shell("compare -metric AE " + bmp + " " + ppm + " null:"), "0")
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
    };
    for (const auto& [options, target, format] : variants) {
        const std::string name = target.substr(target.find(':') + 1);
        const std::string file = Path(name);
        Shell("convert " + ppm + " " + options + " " + target.substr(0, target.find(':') + 1) +
              file);
        const std::string reference = Path(name + ".ppm");
        Shell("convert " + file + " -depth 8 " + reference);
        const TBitmap loaded = LoadBmpFile(file);
        EXPECT_EQ(loaded.PixelFormat(), format) << name;
        EXPECT_TRUE(SamePixels(loaded, ReadPpm(reference))) << name;
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

TEST_F(BmpFile, DamagedOrLyingFilesAreRejectedWithTheirName) {
    const std::vector<std::uint8_t> good8 = EncodeBmp(IndexedPicture(TPixelFormat::pf8bit));
    const std::vector<std::uint8_t> good32 = EncodeBmp(Gradient(47, 33, TPixelFormat::pf32bit));
    using Damage = std::function<void(std::vector<std::uint8_t>&)>;
    const std::vector<std::tuple<std::string, bool, Damage, std::string>> cases{
        {"empty file", false, [](auto& b) { b.clear(); }, "too short"},
        {"cut in the file header", false, [](auto& b) { b.resize(10); }, "too short"},
        {"cut in the info header", false, [](auto& b) { b.resize(30); }, "inside its header"},
        {"cut in the colour table", false, [](auto& b) { b.resize(300); }, "colour table"},
        {"cut in the pixels", false, [](auto& b) { b.resize(b.size() - 1); },
         "pixel data is complete"},
        {"no signature", false, [](auto& b) { b[0] = 'X'; }, "signature"},
        {"pixel offset past the end", false,
         [](auto& b) { Put32(b, 10, static_cast<std::uint32_t>(b.size()) + 1); }, "past the end"},
        {"pixel offset at the limit", false, [](auto& b) { Put32(b, 10, 0xFFFFFFFF); },
         "past the end"},
        {"pixels claimed beyond the file", false, [](auto& b) { Put32(b, 22, 34); },
         "pixel data is complete"},
        {"header size beyond the file", false, [](auto& b) { Put32(b, 14, 200), b.resize(100); },
         "inside its header"},
        {"header size absurd", false, [](auto& b) { Put32(b, 14, 0xFFFFFFF0); }, "header size"},
        {"old short header", false, [](auto& b) { Put32(b, 14, 12); }, "header size"},
        {"negative width", false, [](auto& b) { Put32(b, 18, static_cast<std::uint32_t>(-47)); },
         "negative width"},
        {"absurd width", false, [](auto& b) { Put32(b, 18, 0x7FFFFFFF); }, "too large"},
        {"smallest height", false, [](auto& b) { Put32(b, 22, 0x80000000); }, "too large"},
        {"16 bits", false, [](auto& b) { b[28] = 16; }, "colour depth"},
        {"run-length compression", false, [](auto& b) { Put32(b, 30, 1); }, "compression"},
        {"colour table too large", false, [](auto& b) { Put32(b, 46, 257); },
         "too large for 8 bits"},
        {"masks at 8 bits", false, [](auto& b) { Put32(b, 30, 3); }, "compression"},
        {"unusual colour masks", true, [](auto& b) { Put32(b, 30, 3); }, "colour masks"},
        {"masks cut off", true,
         [](auto& b) {
             Put32(b, 30, 3);
             b.resize(60);
         },
         "colour masks"},
    };
    for (const auto& [what, thirtyTwo, damage, reason] : cases) {
        std::vector<std::uint8_t> bytes = thirtyTwo ? good32 : good8;
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
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

} // namespace
} // namespace zorvic
