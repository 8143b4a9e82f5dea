#include "SaveNames.h"

#include "TempDir.h"

#include "ConfigPaths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace zorvic::testing {
namespace {

const QDateTime kOctoberFirst(QDate(2008, 10, 1), QTime(10, 10, 10));

class SaveNamesTest : public ::testing::Test {
protected:
    void SetUp() override { SaveCounter = 1; }

    TSaveSettings ByTemplate(int format = 1) const {
        TSaveSettings settings;
        settings.SaveDirectory = folder;
        settings.FormatIndex = format;
        return settings;
    }

    void Touch(const std::string& name) const { std::ofstream(folder + "/" + name) << "earlier"; }

    TTempDir temp;
    const std::string folder = temp.Path();
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

TEST(TimeStampName, IsTheNumericDateAndTimeWhateverTheLocale) {
    const QLocale before;
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::Chinese, QLocale::China)}) {
        QLocale::setDefault(locale);
        EXPECT_EQ(TimeStampName(kOctoberFirst), "2008-10-01_10-10-10")
            << locale.name().toStdString();
    }
    QLocale::setDefault(before);
    EXPECT_EQ(TimeStampName(QDateTime(QDate(2026, 12, 10), QTime(13, 5, 8))),
              "2026-12-10_13-05-08");
}

TEST(PathInFolder, PutsExactlyOneSeparatorBetween) {
    EXPECT_EQ(PathInFolder("/", "截图1.jpg"), "/截图1.jpg");
    EXPECT_EQ(PathInFolder("/tmp/shots", "a.bmp"), "/tmp/shots/a.bmp");
    EXPECT_EQ(PathInFolder("/tmp/shots/", "a.bmp"), "/tmp/shots/a.bmp");
}

TEST_F(SaveNamesTest, TemplateNamesCountUpFromOneWithTheFormatsExtension) {
    EXPECT_EQ(NextAutomaticSavePath(ByTemplate()), folder + "/截图1.jpg");
    EXPECT_EQ(NextAutomaticSavePath(ByTemplate(3)), folder + "/截图2.tif");
    EXPECT_EQ(NextAutomaticSavePath(ByTemplate(4)), folder + "/截图3.png");
    EXPECT_EQ(SaveCounter, 4);
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
    EXPECT_EQ(NextAutomaticSavePath(settings, kOctoberFirst), folder + "/2008-10-01_10-10-10.jpg");
    EXPECT_EQ(NextAutomaticSavePath(ByTemplate()), folder + "/截图2.jpg");
}

TEST_F(SaveNamesTest, TimeNamesWithinOneSecondGoOnPastTheNamesTaken) {
    TSaveSettings settings = ByTemplate();
    settings.NameByTime = true;
    Touch("2008-10-01_10-10-10.jpg");
    Touch("2008-10-01_10-10-10_2.jpg");
    EXPECT_EQ(NextAutomaticSavePath(settings, kOctoberFirst),
              folder + "/2008-10-01_10-10-10_3.jpg");
    // Another format's file does not take the name.
    settings.FormatIndex = 0;
    EXPECT_EQ(NextAutomaticSavePath(settings, kOctoberFirst), folder + "/2008-10-01_10-10-10.bmp");
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
