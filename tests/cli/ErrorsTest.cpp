// Files that cannot be read or written: status 1, one line, and no output file left behind.
#include "CliHarness.h"

#include <gtest/gtest.h>

#include <functional>

namespace zorvic::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

void PutLe32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

const struct Corruption {
    std::string name;
    std::function<void(Bytes&)> spoil;
} kCorruptions[] = {
    {"empty file", [](Bytes& b) { b.clear(); }},
    {"text file",
     [](Bytes& b) {
         b.assign({'h', 'e', 'l', 'l', 'o', '\n'});
     }},
    {"header cut short", [](Bytes& b) { b.resize(20); }},
    {"info header cut short", [](Bytes& b) { b.resize(40); }},
    {"pixel rows cut short", [](Bytes& b) { b.resize(b.size() - 10); }},
    {"wrong signature", [](Bytes& b) { b[0] = 'X'; }},
    {"13 bits per pixel", [](Bytes& b) { b[28] = 13; }},
    {"unknown compression", [](Bytes& b) { b[30] = 9; }},
    {"unknown info header size", [](Bytes& b) { b[14] = 7; }},
    {"zero width", [](Bytes& b) { PutLe32(b, 18, 0); }},
    {"negative width", [](Bytes& b) { PutLe32(b, 18, static_cast<std::uint32_t>(-6)); }},
    {"pixel offset past the end", [](Bytes& b) { PutLe32(b, 10, 1'000'000); }},
    // A header claiming 30 GB of pixels in a tiny file must fail, not allocate.
    {"huge size",
     [](Bytes& b) {
         PutLe32(b, 18, 100'000);
         PutLe32(b, 22, 100'000);
     }},
};

class FileErrors : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return (folder_ / name).string(); }

    TTempDir folder_;
};

TEST_F(FileErrors, MissingInputIsAnErrorForBothVerbs) {
    ExpectFailure(RunCli({"apply", Path("missing.bmp"), Path("out.jpg"), "invert"}), 1,
                  "missing.bmp");
    ExpectFailure(RunCli({"convert", Path("missing.bmp"), Path("out.jpg")}), 1, "missing.bmp");
    EXPECT_EQ(folder_.Files(), std::vector<std::string>{});
}

TEST_F(FileErrors, CorruptInputFailsAndLeavesEveryFileAsItWas) {
    const Bytes valid = BmpBytes(6, 4, TestPattern);
    WritePatternBmp(folder_ / "old.jpg"); // an earlier OUT that a failed run must not touch
    const Bytes old = ReadBytes(folder_ / "old.jpg");
    for (const Corruption& corruption : kCorruptions) {
        SCOPED_TRACE(corruption.name);
        Bytes bad = valid;
        corruption.spoil(bad);
        WriteFile(folder_ / "bad.bmp", bad);
        for (const std::string out : {"new.bmp", "new.gif", "old.jpg"})
            ExpectFailure(RunCli({"apply", Path("bad.bmp"), Path(out), "invert"}), 1, "bad.bmp");
        // The conversion's own messages name the file, except the writer's for an empty picture.
        ExpectFailure(RunCli({"convert", Path("bad.bmp"), Path("new.tif")}), 1, "");
        EXPECT_EQ(folder_.Files(), (std::vector<std::string>{"bad.bmp", "old.jpg"}));
        EXPECT_EQ(ReadBytes(folder_ / "bad.bmp"), bad);
        EXPECT_EQ(ReadBytes(folder_ / "old.jpg"), old);
    }
}

TEST_F(FileErrors, UnwritableOutputFailsAndLeavesNoFile) {
    WritePatternBmp(folder_ / "in.bmp");
    fs::create_directory(folder_ / "folder.bmp");
    for (const std::string out : {"missing/out.bmp", "missing/out.jpg", "missing/out.gif",
                                  "missing/out.tif", "missing/out.png", "folder.bmp"}) {
        SCOPED_TRACE(out);
        ExpectFailure(RunCli({"apply", Path("in.bmp"), Path(out), "grey"}), 1, out);
        ExpectFailure(RunCli({"convert", Path("in.bmp"), Path(out)}), 1, out);
        EXPECT_EQ(folder_.Files(), (std::vector<std::string>{"folder.bmp", "in.bmp"}));
        EXPECT_TRUE(fs::is_empty(folder_ / "folder.bmp"));
    }
}

} // namespace
} // namespace zorvic::test
