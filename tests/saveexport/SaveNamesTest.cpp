#include "SaveNames.h"
#include "Sandbox.h"

#include "ConfigPaths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace zorvic::testing {
namespace {

const QDateTime kOctoberFirst(QDate(2008, 10, 1), QTime(10, 10, 10));

class SaveNamesTest : public ::testing::Test {
protected:
    void SetUp() override {
        SaveCounter = 1;
        folder = MakeTestFolder();
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    TSaveSettings ByTemplate(int format = 1) const {
        TSaveSettings settings;
        settings.SaveDirectory = folder;
        settings.FormatIndex = format;
        return settings;
    }

    void Touch(const std::string& name) const { std::ofstream(folder + "/" + name) << "earlier"; }

    std::string folder;
};

TEST(FileNameSafe, ReplacesEveryCharacterThatCannotStandInAFileName) {
    const std::pair<std::string, std::string> cases[] = {
        {"10/1/08_10:10:10", "10-1-08_10-10-10"},
        {"a\\b", "a-b"},
        {"tab\there", "tab-here"},
        {"截图 2008.10.1", "截图 2008.10.1"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(FileNameSafe(text), expected) << text;
}

TEST(TimeStampName, UsesTheLocaleFormatsWithoutSeparatorsOrZone) {
    EXPECT_EQ(TimeStampName(kOctoberFirst, QLocale(QLocale::Chinese, QLocale::China)),
              "2008-10-1_10-10-10");
    // "M/d/yy": the slashes would otherwise make folders of the name.
    const std::string american =
        TimeStampName(kOctoberFirst, QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(american.rfind("10-1-08_10-10-10", 0), 0u) << american;
    EXPECT_EQ(american.find_first_of("/:"), std::string::npos) << american;
    EXPECT_EQ(american.find("UTC"), std::string::npos) << american;
}

TEST(PathInFolder, PutsExactlyOneSeparatorBetween) {
    EXPECT_EQ(PathInFolder("/", "截图1.jpg"), "/截图1.jpg");
    EXPECT_EQ(PathInFolder("/tmp/shots", "a.bmp"), "/tmp/shots/a.bmp");
    EXPECT_EQ(PathInFolder("/tmp/shots/", "a.bmp"), "/tmp/shots/a.bmp");
}

TEST_F(SaveNamesTest, TemplateNamesCountUpFromOneWithTheFormatsExtension) {
    EXPECT_EQ(NextAutomaticSavePath(ByTemplate()), folder + "/截图1.jpg");
    EXPECT_EQ(NextAutomaticSavePath(ByTemplate(3)), folder + "/截图2.tif");
    EXPECT_EQ(SaveCounter, 3);
}

TEST_F(SaveNamesTest, TemplateNamesPassOverFilesOfAnEarlierRun) {
    Touch("截图1.jpg");
    Touch("截图2.jpg");
    Touch("截图4.jpg");
    EXPECT_EQ(NextAutomaticSavePath(ByTemplate()), folder + "/截图3.jpg");
    EXPECT_EQ(NextAutomaticSavePath(ByTemplate()), folder + "/截图5.jpg");
    // Another format's file does not take the number.
    EXPECT_EQ(NextAutomaticSavePath(ByTemplate(0)), folder + "/截图6.bmp");
}

TEST_F(SaveNamesTest, TimeNamesAdvanceTheCounterSoTemplateNamingContinues) {
    TSaveSettings settings = ByTemplate();
    settings.NameByTime = true;
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    EXPECT_EQ(NextAutomaticSavePath(settings, kOctoberFirst, chinese),
              folder + "/2008-10-1_10-10-10.jpg");
    // The same second gives the same name again: a time name replaces its twin.
    EXPECT_EQ(NextAutomaticSavePath(settings, kOctoberFirst, chinese),
              folder + "/2008-10-1_10-10-10.jpg");
    EXPECT_EQ(NextAutomaticSavePath(ByTemplate()), folder + "/截图3.jpg");
}

TEST_F(SaveNamesTest, RootAndEmptyFoldersGiveSoundPaths) {
    TSaveSettings settings = ByTemplate();
    settings.SaveDirectory = std::string(1, '/');
    EXPECT_EQ(NextAutomaticSavePath(settings), "/截图1.jpg");

    settings.SaveDirectory.clear();
    const std::string path = NextAutomaticSavePath(settings);
    EXPECT_EQ(path, DocumentsDirectory() + "/截图2.jpg");
    EXPECT_TRUE(std::filesystem::is_directory(DocumentsDirectory()));
}

TEST_F(SaveNamesTest, ATemplateWithASlashStaysInTheSaveFolder) {
    TSaveSettings settings = ByTemplate();
    settings.NameTemplate = "../shot";
    EXPECT_EQ(NextAutomaticSavePath(settings), folder + "/..-shot1.jpg");
}

} // namespace
} // namespace zorvic::testing
