#include "GifWriter.h"

#include "Errors.h"
#include "FloydSteinberg.h"
#include "FormatConversion.h"
#include "FormatsTestSupport.h"
#include "OctreeQuantizer.h"

#include <gtest/gtest.h>

#include <gif_lib.h>

#include <algorithm>
#include <memory>
#include <set>

namespace zorvic {
namespace {

// The file as giflib's decoder reads it.
struct TDecodedGif {
    int imageCount = 0;
    int extensionBlocks = 0;
    int width = 0, height = 0;
    std::vector<TColor> colourMap;
    std::vector<std::uint8_t> indices;
};

TDecodedGif Decode(const std::string& path) {
    int error = 0;
    std::unique_ptr<GifFileType, void (*)(GifFileType*)> gif(DGifOpenFileName(path.c_str(), &error),
                                                             [](GifFileType* file) {
                                                                 int ignored;
                                                                 DGifCloseFile(file, &ignored);
                                                             });
    TDecodedGif decoded;
    if (!gif || DGifSlurp(gif.get()) != GIF_OK) {
        ADD_FAILURE() << "giflib cannot read " << path;
        return decoded;
    }
    decoded.imageCount = gif->ImageCount;
    decoded.extensionBlocks = gif->ExtensionBlockCount + gif->SavedImages[0].ExtensionBlockCount;
    decoded.width = gif->SavedImages[0].ImageDesc.Width;
    decoded.height = gif->SavedImages[0].ImageDesc.Height;
    const ColorMapObject* map = gif->SColorMap;
    for (int i = 0; map && i < map->ColorCount; ++i)
        decoded.colourMap.push_back(
            MakeColor(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue));
    const GifByteType* raster = gif->SavedImages[0].RasterBits;
    decoded.indices.assign(raster, raster + decoded.width * decoded.height);
    return decoded;
}

// 200 colours, among them neighbours one step apart, which a coarse palette would merge.
TBitmap MakeFewColourPicture(int width, int height) {
    TBitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int k = (x * 7 + y * 13) % 200;
            bitmap.SetPixel(x, y, k < 100 ? MakeColor(k, 0, 0) : MakeColor(k * 53, k * 29, k * 17));
        }
    return bitmap;
}

// Far more than 256 colours, changing smoothly.
TBitmap MakeGradient(int width, int height) {
    TBitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y,
                            MakeColor(x * 255 / (width - 1), y * 255 / (height - 1),
                                      255 - (x + y) * 255 / (width + height - 2)));
    return bitmap;
}

// A GIF file of the picture and, beside it, a PPM of the same pixels to compare it with.
class GifFile : public ::testing::Test {
protected:
    void Save(const TBitmap& bitmap) {
        SaveAsGif(bitmap, gif);
        test::WritePpm(bitmap, reference);
    }
    test::TTempDir dir;
    const std::string gif = dir.Path("picture.gif");
    const std::string reference = dir.Path("picture.ppm");
};

TEST_F(GifFile, PictureOfFewColoursRoundTripsExactly) {
    Save(MakeFewColourPicture(47, 33));

    EXPECT_EQ(test::Identify("%n %w %h %k", gif), "1 47 33 200");
    EXPECT_EQ(test::DifferentPixels(reference, gif), 0);
    const TDecodedGif decoded = Decode(gif);
    EXPECT_EQ(decoded.imageCount, 1);
    EXPECT_EQ(decoded.extensionBlocks, 0) << "no transparency, no animation";
    EXPECT_EQ(decoded.colourMap.size(), 256u);
}

TEST_F(GifFile, IndexedPictureKeepsItsPaletteAndIndices) {
    for (TPixelFormat format : {TPixelFormat::pf1bit, TPixelFormat::pf4bit, TPixelFormat::pf8bit}) {
        SCOPED_TRACE(BitsPerPixel(format));
        const TBitmap bitmap = test::MakeIndexedPattern(23, 9, format);
        Save(bitmap);

        const TDecodedGif decoded = Decode(gif);
        EXPECT_EQ(decoded.colourMap, bitmap.Palette());
        std::vector<std::uint8_t> expected;
        for (int y = 0; y < bitmap.Height(); ++y)
            for (int x = 0; x < bitmap.Width(); ++x) {
                const int bits = BitsPerPixel(format);
                const int bit = x * bits;
                expected.push_back(static_cast<std::uint8_t>(
                    bitmap.ScanLine(y)[bit / 8] >> (8 - bits - bit % 8) & ((1 << bits) - 1)));
            }
        EXPECT_EQ(decoded.indices, expected);
        EXPECT_EQ(decoded.imageCount, 1);
        EXPECT_EQ(decoded.extensionBlocks, 0);
    }
}

TEST_F(GifFile, ManyColourPictureIsDitheredOntoAPaletteOfItsOwnColours) {
    Save(MakeGradient(160, 96));

    EXPECT_EQ(test::Identify("%n %w %h", gif), "1 160 96");
    EXPECT_LE(std::stoi(test::Identify("%k", gif)), 256);
    // Each pixel is near its source, and error diffusion keeps the local means: averaged over 8 x 8
    // blocks the picture is all but the source.
    EXPECT_LT(test::MeanAbsoluteError(reference, gif), 0.025);
    const std::string blocksOfSource = dir.Path("source-blocks.ppm");
    const std::string blocksOfGif = dir.Path("gif-blocks.ppm");
    test::Run("convert " + test::Quoted(reference) + " -scale 12.5% " +
              test::Quoted(blocksOfSource));
    test::Run("convert " + test::Quoted(gif) + " -scale 12.5% " + test::Quoted(blocksOfGif));
    EXPECT_LT(test::MeanAbsoluteError(blocksOfSource, blocksOfGif), 0.004);
}

// A large picture is dithered on a thread of its own while the encoder codes the rows before:
// the file holds exactly the palette and the indices of the same error diffusion run row after
// row. Odd sizes, and noise, so that every row differs.
TEST_F(GifFile, DitheringBesideTheEncoderGivesTheIndicesOfRowAfterRow) {
    TBitmap bitmap = MakeGradient(613, 431);
    std::uint32_t state = 2463534242u;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < 3 * bitmap.Width(); ++x) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            std::uint8_t& byte = bitmap.ScanLine(y)[x];
            byte = static_cast<std::uint8_t>(
                std::clamp(byte + static_cast<int>(state % 41) - 20, 0, 255));
        }
    SaveAsGif(bitmap, gif);

    const std::vector<TColor> palette = BuildOctreePalette(bitmap);
    TFloydSteinberg rows(bitmap, palette);
    std::vector<std::uint8_t> expected(static_cast<std::size_t>(bitmap.Width()) * bitmap.Height());
    for (int y = 0; y < bitmap.Height(); ++y)
        rows.MapNextRow(expected.data() + static_cast<std::size_t>(y) * bitmap.Width());
    const TDecodedGif decoded = Decode(gif);
    ASSERT_GE(decoded.colourMap.size(), palette.size());
    EXPECT_EQ(std::vector<TColor>(decoded.colourMap.begin(),
                                  decoded.colourMap.begin() +
                                      static_cast<std::ptrdiff_t>(palette.size())),
              palette);
    EXPECT_TRUE(decoded.indices == expected);
}

TEST(GifWriter, PictureThatGifCannotHoldIsRefusedAndLeavesNoFile) {
    test::TTempDir dir;
    EXPECT_THROW(SaveAsGif(TBitmap(), dir.Path("empty.gif")), EZorvicError);
    EXPECT_THROW(SaveAsGif(TBitmap(65536, 1, TPixelFormat::pf8bit), dir.Path("wide.gif")),
                 EZorvicError);
    EXPECT_TRUE(dir.Files().empty());
}

TEST(GifWriter, StreamFailureInsideTheEncoderReachesTheCaller) {
    class TFullDisk final : public TOutputStream {
    public:
        void Write(const void*, std::size_t size) override {
            written_ += size;
            if (written_ > 100) throw EFileError("Cannot write file \"x.gif\". No space left");
        }
        std::uint64_t Position() const override { return written_; }
        void Seek(std::uint64_t) override {}

    private:
        std::uint64_t written_ = 0;
    };
    // Small pictures are dithered as they are coded, large ones beside: the failure stops both.
    for (const int side : {64, 613}) {
        SCOPED_TRACE(side);
        TFullDisk stream;
        try {
            WriteGifToStream(stream, MakeGradient(side, side));
            FAIL() << "no error";
        } catch (const EFileError& error) {
            EXPECT_STREQ(error.what(), "Cannot write file \"x.gif\". No space left");
        }
    }
}

} // namespace
} // namespace zorvic
