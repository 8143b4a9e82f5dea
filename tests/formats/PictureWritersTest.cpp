// What every writer of the editor's format list does alike, as one table: a writer is one row.
#include "FormatConversion.h"

#include "Errors.h"
#include "FormatsTestSupport.h"
#include "JpegWriter.h"
#include "ReadOnlyFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

namespace zorvic {
namespace {

struct TWriter {
    const char* name;
    int format; // index of the format list
    // Stores a 32-bit picture as its 24-bit copy (BMP keeps the depth it is given).
    bool storesTwentyFourBits;
    // A picture the writer refuses; none where no such picture is small enough to make here.
    TBitmap (*refused)();
};

const TWriter kWriters[] = {
    {"Bmp", kFormatBmp, false, nullptr},
    {"Jpeg", kFormatJpg, true, [] { return TBitmap(70000, 1); }}, // libjpeg stops at 65500
    {"Gif", kFormatGif, true, [] { return TBitmap(65536, 1, TPixelFormat::pf8bit); }},
    {"Tiff", kFormatTif, true, [] { return TBitmap(); }},
    {"Png", kFormatPng, true, [] { return TBitmap(); }},
};

std::vector<TWriter> WritersWhere(bool (*wanted)(const TWriter&)) {
    std::vector<TWriter> writers;
    std::copy_if(std::begin(kWriters), std::end(kWriters), std::back_inserter(writers), wanted);
    return writers;
}

std::string NameOf(const ::testing::TestParamInfo<TWriter>& info) {
    return info.param.name;
}

class PictureWriters : public ::testing::TestWithParam<TWriter> {
protected:
    std::string PathOf(const std::string& name) const {
        return dir.Path(name + ExtensionOfFormat(GetParam().format));
    }
    void Write(const TBitmap& picture, const std::string& path) const {
        SavePicture(picture, path, GetParam().format, kDefaultJpegQuality);
    }
    // An earlier picture of that name, which a failed write must leave as it is.
    std::string Earlier() const {
        const std::string path = PathOf("picture");
        test::WriteText(path, "earlier picture");
        return path;
    }
    void ExpectOnlyTheEarlierFile(const std::string& path) const {
        EXPECT_EQ(test::ReadText(path), "earlier picture");
        EXPECT_EQ(dir.Files(), std::vector<std::string>{path.substr(path.rfind('/') + 1)});
    }

    test::TTempDir dir;
};

using WritersOfTwentyFourBits = PictureWriters;
using RefusingWriters = PictureWriters;

TEST_P(WritersOfTwentyFourBits, ThirtyTwoBitPictureGivesTheSameFileAsItsTwentyFourBitCopy) {
    TBitmap wide = test::MakePattern(37, 19, TPixelFormat::pf32bit);
    // Whatever the spare byte holds, it is not part of the picture.
    for (int y = 0; y < wide.Height(); ++y)
        for (int x = 0; x < wide.Width(); ++x)
            wide.ScanLine(y)[4 * x + 3] = static_cast<std::uint8_t>(x * 11 + y);
    Write(wide, PathOf("wide"));
    Write(test::ConvertedCopy(wide, TPixelFormat::pf24bit), PathOf("narrow"));
    EXPECT_EQ(test::ReadBytes(PathOf("wide")), test::ReadBytes(PathOf("narrow")));
}

TEST_P(RefusingWriters, AFailedWriteKeepsTheEarlierFileAndLeavesNothingElse) {
    const std::string path = Earlier();
    EXPECT_THROW(Write(GetParam().refused(), path), EZorvicError);
    ExpectOnlyTheEarlierFile(path);
}

TEST_P(PictureWriters, AFolderThatTakesNoNewFilesIsToldAndKeepsTheEarlierFile) {
    const std::string path = Earlier();
    {
        const testing::TReadOnlyFolder readOnly(dir.Path());
        ASSERT_TRUE(readOnly.Works()) << "cannot make a folder read-only here";
        try {
            Write(test::MakePattern(5, 3), path);
            FAIL() << "no error";
        } catch (const EFileError& error) {
            EXPECT_EQ(std::string(error.what()).rfind("Cannot create file \"" + path + "\". ", 0),
                      0u)
                << error.what();
        }
    }
    ExpectOnlyTheEarlierFile(path);
}

INSTANTIATE_TEST_SUITE_P(Each, PictureWriters, ::testing::ValuesIn(kWriters), NameOf);
INSTANTIATE_TEST_SUITE_P(Each, WritersOfTwentyFourBits,
                         ::testing::ValuesIn(WritersWhere([](const TWriter& writer) {
                             return writer.storesTwentyFourBits;
                         })),
                         NameOf);
INSTANTIATE_TEST_SUITE_P(Each, RefusingWriters,
                         ::testing::ValuesIn(WritersWhere([](const TWriter& writer) {
                             return writer.refused != nullptr;
                         })),
                         NameOf);

} // namespace
} // namespace zorvic
