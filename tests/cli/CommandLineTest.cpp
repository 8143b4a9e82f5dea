// Help, version and every way a command line can be wrong: usage errors touch no file.
#include "CliHarness.h"

#include <gtest/gtest.h>

namespace zorvic::test {
namespace {

TEST(CommandLine, VersionPrintsTheVersion) {
    const CliResult result = RunCli({"--version"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "zorvic-cli 1.5\n");
    EXPECT_EQ(result.err, "");
}

TEST(CommandLine, HelpListsEveryVerb) {
    for (const auto& arguments : {std::vector<std::string>{"--help"},
                                  {"-h"},
                                  {"apply", "--help"},
                                  {"capture", "rect", "--help"}}) {
        const CliResult result = RunCli(arguments);
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.err, "");
        EXPECT_NE(result.out.find("zorvic-cli apply IN OUT [OP ...]"), std::string::npos);
        EXPECT_NE(result.out.find("zorvic-cli convert IN.bmp OUT"), std::string::npos);
        EXPECT_NE(result.out.find("zorvic-cli capture full|active|under-mouse [--cursor] -o OUT"),
                  std::string::npos);
        EXPECT_NE(result.out.find("zorvic-cli capture rect X Y W H [--cursor] -o OUT"),
                  std::string::npos);
        EXPECT_NE(result.out.find("then DELETES IN"), std::string::npos);
        EXPECT_NE(result.out.find("Exit status"), std::string::npos);
    }
}

TEST(CommandLine, MistakesExitWithStatusTwoAndTouchNoFile) {
    const struct {
        std::vector<std::string> arguments;
        std::string needle;
    } cases[] = {
        {{}, "no command"},
        {{"frobnicate"}, "unknown command 'frobnicate'"},
        {{"--version", "extra"}, "unknown command '--version'"},
        {{"apply", "IN"}, "needs IN and OUT"},
        {{"apply", "IN", "OUT", "spin"}, "unknown operation 'spin'"},
        {{"apply", "IN", "OUT", "brightness=255"}, "out of range -255..254"},
        {{"apply", "IN", "OUT", "brightness=-256"}, "out of range -255..254"},
        {{"apply", "IN", "OUT", "rotate=361"}, "out of range -360..360"},
        {{"apply", "IN", "OUT", "saturation=-1"}, "out of range 0..510"},
        {{"apply", "IN", "OUT", "splash=33"}, "out of range 0..32"},
        {{"apply", "IN", "OUT", "mosaic=65"}, "out of range 0..64"},
        {{"apply", "IN", "OUT", "neon=-21"}, "out of range -20..20"},
        {{"apply", "IN", "OUT", "rgb=0,128,0"}, "out of range -128..127"},
        {{"apply", "IN", "OUT", "translate=1,99999999999"}, "out of range"},
        {{"apply", "IN", "OUT", "rgb=1,2"}, "takes 3 values"},
        {{"apply", "IN", "OUT", "rgb=1,2,3,4"}, "takes 3 values"},
        {{"apply", "IN", "OUT", "translate=4"}, "takes 2 values"},
        {{"apply", "IN", "OUT", "contrast=abc"}, "'abc' is not a whole number"},
        {{"apply", "IN", "OUT", "contrast=1.5"}, "'1.5' is not a whole number"},
        {{"apply", "IN", "OUT", "contrast="}, "'' is not a whole number"},
        {{"apply", "IN", "OUT", "rgb=1,,3"}, "'' is not a whole number"},
        {{"apply", "IN", "OUT", "sharpen"}, "sharpen needs sharpen=N"},
        {{"apply", "IN", "OUT", "invert=1"}, "invert takes no value"},
        {{"apply", "IN", "OUT", "invert", "--quality", "0"}, "--quality: 0 is out of range 1..100"},
        {{"apply", "IN", "OUT", "invert", "--quality=101"}, "out of range 1..100"},
        {{"apply", "IN", "OUT", "invert", "--quality"}, "--quality needs a value"},
        {{"apply", "IN", "OUT", "invert", "--seed", "-1"}, "--seed: -1 is out of range"},
        {{"apply", "IN", "OUT", "invert", "--seed", "4294967296"}, "out of range"},
        {{"apply", "IN", "OUT", "invert", "--seed", "1", "--seed", "2"}, "given twice"},
        {{"apply", "IN", "OUT", "invert", "--fast"}, "unknown option '--fast'"},
        {{"convert", "IN"}, "convert needs exactly IN.bmp and OUT"},
        {{"convert", "IN", "OUT", "--seed", "1"}, "unknown option '--seed' for convert"},
        {{"apply", "IN", "OUT", "invert", "-o", "OUT"}, "unknown option '-o' for apply"},
        {{"capture"}, "capture needs full, active, under-mouse or rect X Y W H"},
        {{"capture", "-o", "OUT"}, "capture needs full, active"},
        {{"capture", "window", "-o", "OUT"}, "unknown capture area 'window'"},
        {{"capture", "full", "extra", "-o", "OUT"}, "unexpected 'extra' after capture full"},
        {{"capture", "active", "1", "2", "3", "4", "-o", "OUT"}, "unexpected '1'"},
        {{"capture", "full"}, "capture needs -o OUT"},
        {{"capture", "full", "OUT"}, "unexpected"},
        {{"capture", "full", "-o"}, "-o needs a value"},
        {{"capture", "full", "-o", "OUT", "-o", "OUT"}, "-o is given twice"},
        {{"capture", "full", "--cursor", "--cursor", "-o", "OUT"}, "--cursor is given twice"},
        {{"capture", "full", "--cursor=yes", "-o", "OUT"}, "--cursor takes no value"},
        {{"capture", "full", "--seed", "1", "-o", "OUT"}, "unknown option '--seed' for capture"},
        {{"capture", "full", "--quality", "0", "-o", "OUT"}, "out of range 1..100"},
        {{"capture", "rect", "-o", "OUT"}, "capture rect needs X Y W H"},
        {{"capture", "rect", "1", "2", "3", "-o", "OUT"}, "capture rect needs X Y W H"},
        {{"capture", "rect", "1", "2", "3", "4", "5", "-o", "OUT"}, "capture rect needs X Y W H"},
        {{"capture", "rect", "1", "2", "0", "4", "-o", "OUT"},
         "rect W: 0 is out of range 1..32767"},
        {{"capture", "rect", "1", "2", "3", "-4", "-o", "OUT"}, "rect H: -4 is out of range"},
        {{"capture", "rect", "x", "2", "3", "4", "-o", "OUT"}, "rect X: 'x' is not a whole number"},
        {{"capture", "rect", "1", "2.5", "3", "4", "-o", "OUT"}, "rect Y: '2.5' is not a whole"},
        {{"capture", "rect", "1", "2", "3e2", "4", "-o", "OUT"}, "rect W: '3e2' is not a whole"},
        {{"capture", "rect", "1", "2", "3", "", "-o", "OUT"}, "rect H: '' is not a whole number"},
        {{"capture", "rect", "40000", "2", "3", "4", "-o", "OUT"}, "rect X: 40000 is out of range"},
        {{"capture", "rect", "1", "2", "99999999999999999999", "4", "-o", "OUT"}, "out of range"},
    };
    const struct {
        std::string name;
        std::string needle;
    } badOutputs[] = {{"out.webp", "must end in .bmp, .jpg, .gif, .tif or .png"},
                      {"out", "must end in"},
                      {"out.jpeg", "must end in"}};

    TTempDir folder;
    WritePatternBmp(folder / "in.bmp");
    const std::vector<std::uint8_t> original = ReadBytes(folder / "in.bmp");
    const auto expand = [&](std::vector<std::string> arguments, const std::string& output) {
        for (std::string& word : arguments) {
            if (word == "IN") word = (folder / "in.bmp").string();
            if (word == "OUT") word = (folder / output).string();
        }
        return arguments;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.arguments));
        ExpectFailure(RunCli(expand(c.arguments, "out.jpg")), 2, c.needle);
    }
    for (const auto& bad : badOutputs) {
        SCOPED_TRACE(bad.name);
        ExpectFailure(RunCli(expand({"apply", "IN", "OUT", "invert"}, bad.name)), 2, bad.needle);
        ExpectFailure(RunCli(expand({"convert", "IN", "OUT"}, bad.name)), 2, bad.needle);
        ExpectFailure(RunCli(expand({"capture", "full", "-o", "OUT"}, bad.name)), 2, bad.needle);
    }
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"in.bmp"});
    EXPECT_EQ(ReadBytes(folder / "in.bmp"), original);
}

} // namespace
} // namespace zorvic::test
