#include "ConfigPaths.h"

#include "SettingsSandbox.h"

#include <unistd.h>

namespace zorvic {
namespace {

using namespace testing;

class ConfigPaths : public testing::SettingsSandbox {};

TEST_F(ConfigPaths, SettingsFolderPrefersItsOwnVariableThenTheConfigHome) {
    EXPECT_EQ(ConfigDirectory(), settingsDir_);
    {
        const TScopedEnvironment unset("ZORVIC_CONFIG_DIR", "");
        EXPECT_EQ(ConfigDirectory(), configHome_ + "/zorvic");
        const TScopedEnvironment relative("XDG_CONFIG_HOME", "relative/config");
        EXPECT_EQ(ConfigDirectory(), home_ + "/.config/zorvic");
    }
}

TEST_F(ConfigPaths, DocumentsFolderFollowsTheUserDirsOrFallsBackToDocuments) {
    WriteText(configHome_ + "/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/文档\"\n");
    if (access("/usr/bin/xdg-user-dir", X_OK) == 0) {
        EXPECT_EQ(DocumentsDirectory(), home_ + "/文档");
    }

    const TScopedEnvironment noTools("PATH", root_ + "/empty");
    EXPECT_EQ(DocumentsDirectory(), home_ + "/Documents");
}

TEST_F(ConfigPaths, ProgramDirectoryIsTheExecutablesFolderWithItsSlash) {
    const std::string path = ProgramPath();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.front(), '/');
    EXPECT_EQ(ProgramDirectory() + "settings_tests", path);
}

TEST_F(ConfigPaths, MakeDirectoriesCreatesTheWholeChainAndRefusesAFile) {
    EXPECT_TRUE(MakeDirectories(root_ + "/a/b/c"));
    EXPECT_TRUE(MakeDirectories(root_ + "/a/b/c"));
    WriteText(root_ + "/file", "");
    EXPECT_FALSE(MakeDirectories(root_ + "/file/d"));
}

} // namespace
} // namespace zorvic
