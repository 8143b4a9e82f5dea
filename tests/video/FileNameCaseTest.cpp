// "Video.avi" and "VIDEO.AVI" name one file on a file system that tells case apart.
#include "FileNameCase.h"
#include "FormatsTestSupport.h"

#include <gtest/gtest.h>

namespace zorvic {
namespace {

TEST(FileIgnoringCase, FindsTheFileUnderAnotherSpelling) {
    test::TTempDir folder;
    test::WriteText(folder.Path("Video.avi"), "clip");
    EXPECT_EQ(FileIgnoringCase(folder.Path("VIDEO.AVI")), folder.Path("Video.avi"));
    EXPECT_EQ(FileIgnoringCase(folder.Path("Video.avi")), folder.Path("Video.avi"));
}

TEST(FileIgnoringCase, TheExactNameWinsAndSeveralSpellingsGiveTheFirstByName) {
    test::TTempDir folder;
    test::WriteText(folder.Path("video.AVI"), "b");
    test::WriteText(folder.Path("Video.avi"), "a");
    EXPECT_EQ(FileIgnoringCase(folder.Path("video.AVI")), folder.Path("video.AVI"));
    EXPECT_EQ(FileIgnoringCase(folder.Path("VIDEO.AVI")), folder.Path("Video.avi"));
}

TEST(FileIgnoringCase, ANameWithNoFileStaysAsItIsForTheFileToBeMade) {
    test::TTempDir folder;
    EXPECT_EQ(FileIgnoringCase(folder.Path("Video.avi")), folder.Path("Video.avi"));
    EXPECT_EQ(FileIgnoringCase(folder.Path("gone/VIDEO.AVI")), folder.Path("gone/VIDEO.AVI"));
}

} // namespace
} // namespace zorvic
