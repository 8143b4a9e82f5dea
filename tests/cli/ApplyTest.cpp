// apply runs the editor's commands on a real file; ImageMagick reads back what it wrote.
#include "CliHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>

namespace zorvic::test {
namespace {

class Apply : public ::testing::Test {
protected:
    void SetUp() override { WritePatternBmp(input_); }

    // Runs `apply in.bmp <output> <ops>` and insists it succeeded quietly.
    fs::path Run(const std::vector<std::string>& ops, const std::string& output = "out.bmp") {
        std::vector<std::string> arguments{"apply", input_.string(), (folder_ / output).string()};
        arguments.insert(arguments.end(), ops.begin(), ops.end());
        const CliResult result = RunCli(arguments);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, "");
        return folder_ / output;
    }

    TTempDir folder_;
    fs::path input_ = folder_ / "in.bmp";
};

TEST_F(Apply, PixelMovesAndInversionMatchImageMagick) {
    const struct {
        std::vector<std::string> ops;
        std::string magick;
    } cases[] = {
        {{"rotate90"}, "-rotate 90"},
        {{"rotate180"}, "-rotate 180"},
        {{"rotate270"}, "-rotate 270"},
        {{"flip-h"}, "-flop"},
        {{"flip-v"}, "-flip"},
        {{"mirror-sym"}, "-rotate 180"},
        {{"mirror-h"}, "\\( +clone -flop \\) +append"},
        {{"mirror-v"}, "\\( +clone -flip \\) -append"},
        {{"translate=5,3"},
         "-crop 42x30+0+0 +repage -background white -gravity SouthEast "
         "-extent 47x33"},
        {{"translate=-5,-3"}, "-crop 42x30+5+3 +repage -background white -extent 47x33"},
        {{"invert"}, "-negate"},
        {{"exposure"}, "-fx \"max(u,1-u)\""},
        {{"rotate90", "rotate90", "rotate90", "rotate90"}, ""},
        {{"rotate90", "rotate270"}, ""},
        {{"rotate90", "rotate90", "rotate90"}, "-rotate 270"},
        {{"rotate90", "rotate180", "invert", "rotate90", "rotate90"}, "-negate -rotate 90"},
        {{"rotate180", "rotate180", "rotate270"}, "-rotate 270"},
        {{"invert", "invert"}, ""},
        {{"flip-h", "flip-v"}, "-rotate 180"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.ops));
        const fs::path ours = Run(c.ops);
        const fs::path theirs = folder_ / "magick.bmp";
        MagickConvert(input_, c.magick, theirs);
        EXPECT_EQ(DifferingPixels(ours, theirs), 0);
    }
}

// Uniform pictures of one colour make each command's arithmetic and its values' order visible.
TEST_F(Apply, CommandsComputeTheEditorsColours) {
    const struct {
        std::string op;
        Rgb before;
        Rgb after;
    } cases[] = {
        {"grey", {30, 60, 90}, {60, 60, 60}},
        {"grey", {255, 255, 255}, {240, 240, 240}},
        {"two-colour", {128, 128, 128}, {0, 0, 0}},
        {"two-colour", {129, 129, 129}, {255, 255, 255}},
        {"exposure", {100, 200, 127}, {155, 200, 128}},
        {"sculpture", {90, 10, 200}, {128, 128, 128}},
        {"relief", {90, 10, 200}, {128, 128, 128}},
        {"brightness=254", {1, 1, 1}, {255, 255, 255}},
        {"brightness=-20", {10, 100, 250}, {0, 80, 230}},
        {"contrast=-255", {0, 200, 255}, {127, 127, 127}},
        {"contrast=100", {128, 127, 200}, {178, 77, 250}},
        {"saturation=0", {30, 60, 90}, {60, 60, 60}},
        {"saturation=256", {30, 60, 90}, {30, 60, 90}},
        {"rgb=20,-10,5", {100, 100, 100}, {120, 90, 105}},
        {"neon=7", {10, 20, 30}, {0, 0, 0}},
        {"blur", {10, 20, 30}, {10, 20, 30}},
        {"sharpen=200", {10, 20, 30}, {10, 20, 30}},
        {"mosaic=4", {10, 20, 30}, {10, 20, 30}},
        {"noise=0", {10, 20, 30}, {10, 20, 30}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.op);
        WriteFile(input_, BmpBytes(9, 7, [&](int, int) { return c.before; }));
        EXPECT_EQ(PixelAt(Run({c.op}), 4, 3), c.after);
    }
}

TEST_F(Apply, BlurIsTheTruncatedMeanOfTheEightNeighbours) {
    WriteFile(input_, BmpBytes(9, 7, [](int x, int y) {
                  return x == 4 && y == 3 ? Rgb{255, 255, 255} : Rgb{0, 0, 0};
              }));
    const fs::path out = Run({"blur"});
    EXPECT_EQ(PixelAt(out, 4, 3), (Rgb{0, 0, 0}));
    EXPECT_EQ(PixelAt(out, 5, 4), (Rgb{31, 31, 31})); // 2 * 255 / 16 = 31.875
    EXPECT_EQ(PixelAt(out, 6, 3), (Rgb{0, 0, 0}));
}

TEST_F(Apply, CommandsThatResizeGiveTheEditorsSizes) {
    const struct {
        std::vector<std::string> ops;
        std::string size;
    } cases[] = {
        {{"rotate90"}, "33 47"},
        {{"mirror-h"}, "94 33"},
        {{"mirror-v", "mirror-v"}, "47 132"},
        {{"rotate=30"}, "47 47"},
        {{"far-view"}, "600 33"},
        {{"twist", "wave", "splash=5", "colour-noise=100"}, "47 33"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.ops));
        EXPECT_EQ(Identify(Run(c.ops), "%w %h"), c.size);
    }
}

TEST_F(Apply, TurnByAnyAngleLeavesTheFirstRowWhite) {
    WriteFile(input_, BmpBytes(10, 6, [](int, int) { return Rgb{10, 20, 30}; }));
    const fs::path out = Run({"rotate=0"});
    EXPECT_EQ(PixelAt(out, 5, 0), (Rgb{255, 255, 255}));
    EXPECT_EQ(PixelAt(out, 5, 1), (Rgb{0, 0, 0}));    // above the picture: no source, black
    EXPECT_EQ(PixelAt(out, 5, 5), (Rgb{10, 20, 30})); // the unchanged picture, centred
}

TEST_F(Apply, WritesEveryFormatByItsExtensionInAnyCase) {
    const struct {
        std::string name;
        std::string identified;
    } cases[] = {
        {"out.bmp", "BMP3 47 33"}, {"out.jpg", "JPEG 47 33"}, {"out.gif", "GIF 47 33"},
        {"out.tif", "TIFF 47 33"}, {"out.png", "PNG 47 33"},  {"OUT.JPG", "JPEG 47 33"},
        {"out.Tif", "TIFF 47 33"}, {"OUT.PNG", "PNG 47 33"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Identify(Run({"invert", "invert"}, c.name)), c.identified);
    }
    // The lossless writers give back the input exactly.
    EXPECT_EQ(DifferingPixels(folder_ / "out.bmp", input_), 0);
    EXPECT_EQ(DifferingPixels(folder_ / "out.tif", input_), 0);
    EXPECT_EQ(DifferingPixels(folder_ / "out.png", input_), 0);
}

TEST_F(Apply, QualitySetsTheJpegQuality) {
    EXPECT_EQ(Identify(Run({"grey"}, "default.jpg"), "%Q"), "80");
    EXPECT_EQ(Identify(Run({"grey", "--quality", "35"}, "q35.jpg"), "%Q"), "35");
    EXPECT_EQ(Identify(Run({"--quality=100", "grey"}, "q100.jpg"), "%Q"), "100");
}

TEST_F(Apply, SeedMakesRandomEffectsRepeatAndDifferentSeedsDiffer) {
    for (const std::string op : {"noise=200", "colour-noise=200", "splash=6"}) {
        SCOPED_TRACE(op);
        const fs::path first = Run({op, "--seed", "7"}, "first.bmp");
        const fs::path again = Run({"--seed=7", op}, "again.bmp");
        const fs::path other = Run({op, "--seed", "8"}, "other.bmp");
        const fs::path unseeded = Run({op}, "unseeded.bmp");
        const fs::path zero = Run({op, "--seed", "0"}, "zero.bmp");
        EXPECT_EQ(DifferingPixels(first, again), 0);
        EXPECT_GT(DifferingPixels(first, other), 0);
        EXPECT_EQ(DifferingPixels(unseeded, zero), 0);
    }
}

// The help lists the documented operations, and each runs at both ends of its range.
// Commands on single pixels from BMP to BMP go a band of rows at a time; on a picture of many
// bands they write what the whole picture gives (a still translation keeps it whole).
TEST_F(Apply, CommandsOnSinglePixelsWriteWhatTheWholePictureGives) {
    WritePatternBmp(input_, 1001, 1200);
    for (const std::string op : {"grey", "brightness=40", "rgb=20,-10,5", "saturation=300"}) {
        SCOPED_TRACE(op);
        const fs::path inBands = Run({op, "invert"}, "bands.bmp");
        const fs::path whole = Run({"translate=0,0", op, "invert"}, "whole.bmp");
        EXPECT_EQ(ReadBytes(inBands.string()), ReadBytes(whole.string()));
    }
}

TEST_F(Apply, EveryListedOperationRunsAtTheEndsOfItsRange) {
    WritePatternBmp(input_, 12, 9);
    const std::string help = RunCli({"--help"}).out;
    std::istringstream lines(help.substr(help.find("Operations")));
    std::string line;
    std::getline(lines, line);
    std::set<std::string> listed;
    while (std::getline(lines, line) && line.starts_with("  ")) {
        std::istringstream words(line);
        std::string usage, range;
        words >> usage >> range;
        const std::size_t equals = usage.find('=');
        const std::string name = usage.substr(0, equals);
        listed.insert(name);
        if (equals == std::string::npos) {
            Run({name});
            continue;
        }
        const int valueCount = 1 + static_cast<int>(std::count(usage.begin(), usage.end(), ','));
        const std::size_t dots = range.find("..");
        const std::vector<std::string> ends =
            dots == std::string::npos
                ? std::vector<std::string>{"-3", "4"}
                : std::vector<std::string>{range.substr(0, dots), range.substr(dots + 2)};
        for (const std::string& end : ends) {
            std::string op = name + "=" + end;
            for (int i = 1; i < valueCount; ++i)
                op += "," + end;
            SCOPED_TRACE(op);
            Run({op});
        }
    }
    const std::set<std::string> documented{
        "rotate90", "rotate180", "rotate270",    "rotate",    "flip-h",     "flip-v",
        "mirror-h", "mirror-v",  "mirror-sym",   "translate", "invert",     "two-colour",
        "grey",     "exposure",  "sculpture",    "relief",    "twist",      "wave",
        "far-view", "blur",      "brightness",   "contrast",  "saturation", "rgb",
        "sharpen",  "noise",     "colour-noise", "splash",    "mosaic",     "neon"};
    EXPECT_EQ(listed, documented);
}

} // namespace
} // namespace zorvic::test
