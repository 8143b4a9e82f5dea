// apply reads PNG, JPEG, GIF and TIFF as well as BMP: the pixels ImageMagick reads from the same
// files, and damaged files refused whole, before the size they declare is ever allocated.
#include "CliHarness.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <functional>

namespace zorvic::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

class InputFormats : public ::testing::Test {
protected:
    void SetUp() override { WritePatternBmp(pattern_, 61, 37); }

    // ImageMagick's file of the pattern in the way `how` names, as "[PREFIX:]NAME OPERATORS".
    fs::path Make(const std::string& name, const std::string& operators = "",
                  const std::string& prefix = "") {
        MagickConvert(pattern_, operators, prefix + (folder_ / name).string());
        EXPECT_TRUE(fs::exists(folder_ / name)) << name;
        return folder_ / name;
    }

    TTempDir folder_;
    fs::path pattern_ = folder_ / "pattern.bmp";
};

TEST_F(InputFormats, EveryKindOfInputGivesThePixelsImageMagickReads) {
    const std::vector<fs::path> inputs = {
        Make("rgb.png"),
        Make("palette.png", "", "PNG8:"),
        Make("deep.png", "", "PNG48:"),
        Make("grey.png", "-colorspace Gray"),
        Make("interlaced.png", "-interlace PNG"),
        Make("alpha.png", "-alpha set -channel A -fx 'i/w' +channel", "PNG32:"),
        Make("baseline.jpg", "-quality 90"),
        Make("progressive.jpg", "-quality 75 -interlace JPEG"),
        Make("grey.jpg", "-colorspace Gray"),
        Make("picture.gif"),
        Make("interlaced.gif", "-interlace GIF"),
        Make("plain.tif", "-compress None"),
        Make("lzw.tif", "-compress LZW"),
        Make("zip.tif", "-compress Zip"),
        Make("grey.tif", "-colorspace Gray"),
    };
    for (const fs::path& input : inputs) {
        SCOPED_TRACE(input.filename().string());
        const Bytes before = ReadBytes(input);
        const fs::path ours = folder_ / "ours.bmp";
        const CliResult result = RunCli({"apply", input.string(), ours.string()});
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, "");
        // ImageMagick's reading, colours only: the file's alpha is not part of the picture.
        const fs::path theirs = folder_ / "theirs.bmp";
        MagickConvert(input, "-alpha off -type TrueColor", theirs);
        EXPECT_EQ(Identify(ours, "%w %h"), "61 37");
        EXPECT_EQ(DifferingPixels(ours, theirs), 0);
        EXPECT_EQ(ReadBytes(input), before) << "apply keeps IN";
    }
}

TEST_F(InputFormats, OperationsRunOnEveryInputFormat) {
    for (const std::string name : {"in.png", "in.gif", "in.tif"}) {
        SCOPED_TRACE(name);
        const fs::path input = Make(name);
        const CliResult result =
            RunCli({"apply", input.string(), (folder_ / "out.png").string(), "invert"});
        ASSERT_EQ(result.status, 0) << result.err;
        MagickConvert(input, "-negate", folder_ / "negated.bmp");
        EXPECT_EQ(DifferingPixels(folder_ / "out.png", folder_ / "negated.bmp"), 0);
    }
}

// The CRC-32 of PNG chunks, bit by bit.
std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutBe(Bytes& bytes, std::size_t at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.at(at + i) = static_cast<std::uint8_t>(value >> (8 * (size - 1 - i)));
}

// The IHDR chunk opens every PNG at byte 8: length, type, 13 bytes of data, CRC.
void DeclarePngSize(Bytes& png, std::uint32_t width, std::uint32_t height) {
    PutBe(png, 16, width, 4);
    PutBe(png, 20, height, 4);
    PutBe(png, 29, Crc32(png.data() + 12, 17), 4);
}

// The first frame header (SOF0 from ImageMagick's baseline files) holds the height, then the
// width, after its length and precision.
void DeclareJpegSize(Bytes& jpeg, std::uint16_t width, std::uint16_t height) {
    for (std::size_t i = 2; i + 9 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            PutBe(jpeg, i + 5, height, 2);
            PutBe(jpeg, i + 7, width, 2);
            return;
        }
    ADD_FAILURE() << "no SOF0 marker";
}

// The address space of the commands run while it lives, through the limit they inherit: well
// above what a small picture needs, far below the 10 GB a declared 60000 x 60000 would take.
class TAddressSpaceLimit {
public:
    explicit TAddressSpaceLimit(rlim_t bytes) {
        getrlimit(RLIMIT_AS, &before_);
        rlimit limited = before_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_AS, &limited);
    }
    ~TAddressSpaceLimit() { setrlimit(RLIMIT_AS, &before_); }

private:
    rlimit before_{};
};

TEST_F(InputFormats, DamagedPngAndJpegFilesFailWholeWithoutAllocatingTheirDeclaredSize) {
    const Bytes png = ReadBytes(Make("good.png"));
    const Bytes jpeg = ReadBytes(Make("good.jpg", "-quality 90"));
    const struct {
        std::string name;
        const Bytes& source;
        std::function<void(Bytes&)> spoil;
        std::string reason;
    } cases[] = {
        {"cut.png", png, [](Bytes& b) { b.resize(b.size() / 2); }, "ends too early"},
        {"no end.png", png, [](Bytes& b) { b.resize(b.size() - 12); }, "ends too early"},
        {"crc.png", png, [](Bytes& b) { b[29] ^= 1; }, "CRC error"},
        {"data crc.png", png, [](Bytes& b) { b[b.size() - 20] ^= 0x55; }, "CRC error"},
        {"huge.png", png, [](Bytes& b) { DeclarePngSize(b, 60000, 60000); },
         "declares 60000 x 60000 pixels"},
        {"huge few bytes.png", png,
         [](Bytes& b) {
             DeclarePngSize(b, 60000, 60000);
             b.resize(80);
         },
         "declares 60000 x 60000 pixels"},
        {"cut.jpg", jpeg, [](Bytes& b) { b.resize(b.size() * 3 / 4); }, "Premature end"},
        {"huge.jpg", jpeg, [](Bytes& b) { DeclareJpegSize(b, 60000, 60000); },
         "declares 60000 x 60000 pixels"},
        {"huge few bytes.jpg", jpeg,
         [](Bytes& b) {
             DeclareJpegSize(b, 60000, 60000);
             b.resize(b.size() / 3);
         },
         "declares 60000 x 60000 pixels"},
    };
    WritePatternBmp(folder_ / "old.bmp"); // an earlier OUT that a failed run must not touch
    const Bytes old = ReadBytes(folder_ / "old.bmp");
    const TAddressSpaceLimit limit(rlim_t{1} << 30);
    // The limit leaves room for a whole run.
    ASSERT_EQ(
        RunCli({"apply", (folder_ / "good.png").string(), (folder_ / "fine.bmp").string()}).status,
        0);
    fs::remove(folder_ / "fine.bmp");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes bad = c.source;
        c.spoil(bad);
        WriteFile(folder_ / c.name, bad);
        for (const std::string out : {"new.bmp", "new.png", "old.bmp"}) {
            const CliResult result =
                RunCli({"apply", (folder_ / c.name).string(), (folder_ / out).string(), "grey"});
            ExpectFailure(result, 1, c.name);
            EXPECT_NE(result.err.find(c.reason), std::string::npos) << result.err;
        }
        EXPECT_FALSE(fs::exists(folder_ / "new.bmp"));
        EXPECT_FALSE(fs::exists(folder_ / "new.png"));
        EXPECT_EQ(ReadBytes(folder_ / "old.bmp"), old);
        fs::remove(folder_ / c.name);
    }
}

TEST_F(InputFormats, DamagedGifAndTiffFilesFailWithTheirLibrariesReason) {
    const struct {
        std::string name;
        std::string reason;
    } cases[] = {{"cut.gif", "ends too early"}, {"cut.tif", "TIFF"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes bad = ReadBytes(Make(c.name, "-compress None"));
        bad.resize(bad.size() / 2);
        WriteFile(folder_ / c.name, bad);
        const CliResult result =
            RunCli({"apply", (folder_ / c.name).string(), (folder_ / "out.bmp").string()});
        ExpectFailure(result, 1, c.name);
        EXPECT_NE(result.err.find(c.reason), std::string::npos) << result.err;
        EXPECT_FALSE(fs::exists(folder_ / "out.bmp"));
    }
}

} // namespace
} // namespace zorvic::test
