#include "Autostart.h"

#include "ConfigPaths.h"
#include "RegEdit.h"
#include "SettingsSandbox.h"

namespace zorvic {
namespace {

using namespace testing;

TEST(AutostartExec, QuotesThePathByTheDesktopEntryRules) {
    // Expected texts are as they stand in the file: string escapes (\\ for a backslash) applied
    // over the Exec quoting (\" \` \$ \\ inside double quotes, %% for a percent sign).
    const std::pair<std::string, std::string> cases[] = {
        {"/usr/bin/zorvic", "/usr/bin/zorvic s"},
        {"/opt/My Apps/zorvic", "\"/opt/My Apps/zorvic\" s"},
        {"/opt/say \"hi\"/zorvic", "\"/opt/say \\\\\"hi\\\\\"/zorvic\" s"},
        {"/opt/a\\b/zorvic", "\"/opt/a\\\\\\\\b/zorvic\" s"},
        {"/opt/$HOME/zorvic", "\"/opt/\\\\$HOME/zorvic\" s"},
        {"/opt/`id`/zorvic", "\"/opt/\\\\`id\\\\`/zorvic\" s"},
        {"/opt/it's/zorvic", "\"/opt/it's/zorvic\" s"},
        {"/opt/100%/zorvic", "/opt/100%%/zorvic s"},
        {"/opt/50% off/zorvic", "\"/opt/50%% off/zorvic\" s"},
        {"/opt/a\tb/zorvic", "\"/opt/a\\tb/zorvic\" s"},
        {"/opt/line\nbreak/zorvic", "\"/opt/line\\nbreak/zorvic\" s"},
        {"/opt/中文/zorvic", "/opt/中文/zorvic s"},
        {"/opt/a;b&c|d/zorvic", "\"/opt/a;b&c|d/zorvic\" s"},
    };
    for (const auto& [path, exec] : cases)
        EXPECT_EQ(AutostartExec(path), exec) << path;
}

class Autostart : public testing::SettingsSandbox {
protected:
    std::string EntryPath() const { return configHome_ + "/autostart/zorvic.desktop"; }
};

TEST_F(Autostart, WritingTheRunValueWritesTheEntryAndDeletingItRemovesIt) {
    WriteRegValue(HKLM, kAutostartKey, kAutostartValue, kRegString, AutostartCommand(), false);

    EXPECT_EQ(ReadText(EntryPath()), "[Desktop Entry]\nType=Application\nName=Zorvic\nExec=" +
                                         AutostartExec(ProgramPath()) + "\n");
    std::string stored;
    ReadRegValue(HKLM, kAutostartKey, kAutostartValue, kRegString, stored, false);
    EXPECT_EQ(stored, ProgramDirectory() + "zorvic s");

    DeleteRegValue(HKLM, "software\\microsoft\\windows\\currentversion\\run", "ZORVIC", false);
    EXPECT_FALSE(FileExists(EntryPath()));
    EXPECT_FALSE(RegValueExists(HKLM, kAutostartKey, kAutostartValue, false));
}

TEST_F(Autostart, DeletingAMissingValueReportsNothingAndStillStopsAStaleEntry) {
    EXPECT_NO_THROW(DeleteRegValue(HKLM, kAutostartKey, kAutostartValue, false));
    WriteText(EntryPath(), "[Desktop Entry]\n");

    EXPECT_NO_THROW(DeleteRegValue(HKLM, kAutostartKey, kAutostartValue, false));

    EXPECT_FALSE(FileExists(EntryPath()));
    EXPECT_TRUE(reports_.empty());
}

TEST_F(Autostart, OtherValuesLeaveTheEntryAlone) {
    WriteRegValue(HKLM, kAutostartKey, "Other", kRegString, "x", false);
    WriteRegValue(HKLM, "SOFTWARE\\Zorvic", kAutostartValue, kRegString, "x", true);
    WriteRegValue(TRegRoot::HKEY_CURRENT_USER, kAutostartKey, kAutostartValue, kRegString, "x",
                  true);

    EXPECT_FALSE(FileExists(EntryPath()));
}

TEST_F(Autostart, AnEntryThatCannotBeWrittenFailsToSetData) {
    WriteText(configHome_ + "/autostart", "a file where the folder should be");

    try {
        WriteRegValue(HKLM, kAutostartKey, kAutostartValue, kRegString, AutostartCommand(), false);
        FAIL() << "no error";
    } catch (const EZorvicError& error) {
        EXPECT_STREQ(error.what(), "Failed to set data for 'Zorvic'");
    }
}

} // namespace
} // namespace zorvic
