// convert is the camera's conversion of a BMP file: OUT is written, then IN deleted.
#include "CliHarness.h"

#include <gtest/gtest.h>

namespace zorvic::test {
namespace {

class Convert : public ::testing::Test {
protected:
    void SetUp() override {
        WritePatternBmp(input_);
        fs::copy_file(input_, reference_);
    }

    TTempDir folder_;
    fs::path input_ = folder_ / "frame.bmp";
    fs::path reference_ = folder_ / "reference.bmp";
};

TEST_F(Convert, WritesEachFormatAndDeletesTheBmp) {
    const struct {
        std::string name;
        std::string identified;
        bool exact;
    } cases[] = {{"out.jpg", "JPEG 47 33", false},
                 {"out.gif", "GIF 47 33", false},
                 {"out.tif", "TIFF 47 33", true},
                 {"out.png", "PNG 47 33", true},
                 {"out.BMP", "BMP3 47 33", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WritePatternBmp(input_);
        const CliResult result = RunCli({"convert", input_.string(), (folder_ / c.name).string()});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, "");
        EXPECT_FALSE(fs::exists(input_));
        EXPECT_EQ(Identify(folder_ / c.name), c.identified);
        if (c.exact) {
            EXPECT_EQ(DifferingPixels(folder_ / c.name, reference_), 0);
        }
    }
}

TEST_F(Convert, QualitySetsTheJpegQuality) {
    const CliResult result =
        RunCli({"convert", input_.string(), (folder_ / "out.jpg").string(), "--quality", "42"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(Identify(folder_ / "out.jpg", "%Q"), "42");
}

TEST_F(Convert, OverwritesAnExistingOutput) {
    WritePatternBmp(folder_ / "out.bmp", 5, 5);
    EXPECT_EQ(RunCli({"convert", input_.string(), (folder_ / "out.bmp").string()}).status, 0);
    EXPECT_EQ(DifferingPixels(folder_ / "out.bmp", reference_), 0);
}

TEST_F(Convert, RefusesToConvertAFileOntoItself) {
    const std::vector<std::uint8_t> before = ReadBytes(input_);
    for (const fs::path& out : {input_, folder_ / "." / "frame.bmp"}) {
        SCOPED_TRACE(out.string());
        ExpectFailure(RunCli({"convert", input_.string(), out.string()}), 1, "onto itself");
        EXPECT_EQ(ReadBytes(input_), before);
    }
}

} // namespace
} // namespace zorvic::test
