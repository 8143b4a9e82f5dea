#include "ConfigPaths.h"

#include "SettingsSandbox.h"

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

TEST_F(ConfigPaths, DocumentsFolderIsWhatXdgUserDirSaysOrElseDocumentsInTheHome) {
    const struct {
        const char* says; // nothing: no xdg-user-dir at all
        int status;
        std::string folder;
    } cases[] = {
        {"/home/user/文档\n", 0, "/home/user/文档"},
        {"/home/user/My Documents\r\n", 0, "/home/user/My Documents"},
        // A folder that is no absolute path is no answer, nor is a failure.
        {"文档\n", 0, home_ + "/Documents"},
        {"/home/user/文档\n", 1, home_ + "/Documents"},
        {"", 0, home_ + "/Documents"},
        {nullptr, 0, home_ + "/Documents"},
    };
    for (const auto& c : cases) {
        TStandInCommands commands;
        if (c.says) commands.Add("xdg-user-dir", c.status, c.says);
        EXPECT_EQ(DocumentsDirectory(), c.folder) << (c.says ? c.says : "no xdg-user-dir");
        if (c.says) {
            EXPECT_EQ(commands.Calls("xdg-user-dir"), std::vector<std::string>{"DOCUMENTS"});
        }
    }
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
