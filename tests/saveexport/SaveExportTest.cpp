#include "SaveExport.h"

#include "Commands.h"
#include "Errors.h"
#include "FakeDesktop.h"
#include "Files.h"
#include "MessageBoxes.h"
#include "RegEdit.h"
#include "SaveNames.h"
#include "ScopedEnvironment.h"
#include "TempDir.h"
#include "Wallpaper.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

namespace zorvic::testing {
namespace {

constexpr const char* kDesktopKey = "Control Panel\\Desktop";

TBitmap Pattern() {
    TBitmap picture(47, 33);
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            picture.SetPixel(x, y, MakeColor(x * 5, y * 7, (x + y) * 3));
    return picture;
}

std::string DesktopValue(const char* name) {
    std::string value = "<unset>";
    ReadRegValue(TRegRoot::HKEY_CURRENT_USER, kDesktopKey, name, kRegString, value, false);
    return value;
}

// Each test on a desktop in memory of its own, with a folder of its own for the pictures.
class SaveExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        SaveCounter = 1;
        settings.SaveDirectory = folder;
    }

    // A Save As whose dialog answers with `answer` and records what it was opened with.
    TSaveAs DialogAnswering(std::optional<std::string> answer) {
        return TSaveAs([this, answer](QWidget*, const TSaveFileRequest& request) {
            requests.push_back(request);
            return answer;
        });
    }

    TTempDir temp;
    const std::string folder = temp.Path();
    std::shared_ptr<FakeDesktop> desktop = std::make_shared<FakeDesktop>();
    PlatformServices platform = desktop->Services();
    TSaveSettings settings;
    std::vector<std::string> messages;
    TMessageBoxOverride recordedBoxes{
        [this](const std::string& text) { messages.push_back(text); }};
    std::vector<TSaveFileRequest> requests;
};

TEST_F(SaveExportTest, SaveWritesEveryFormatAndConfirms) {
    const std::pair<int, std::string> formats[] = {{0, "BMP3 47x33"},
                                                   {1, "JPEG 47x33"},
                                                   {2, "GIF 47x33"},
                                                   {3, "TIFF 47x33"},
                                                   {4, "PNG 47x33"}};
    for (const auto& [format, identified] : formats) {
        settings.FormatIndex = format;
        const std::string path = SavePictureAutomatically(Pattern(), settings);
        EXPECT_EQ(Identify("%m %wx%h", path), identified) << path;
    }
    EXPECT_EQ(messages, std::vector<std::string>(5, "已经保存到指定目录下！"));
    EXPECT_TRUE(std::filesystem::exists(folder + "/截图4.tif"));
    EXPECT_TRUE(std::filesystem::exists(folder + "/截图5.png"));
}

TEST_F(SaveExportTest, SavesNamedByTimeInQuickSuccessionKeepEveryPicture) {
    settings.NameByTime = true;
    settings.FormatIndex = 0;
    std::vector<std::string> contents;
    for (int shot = 0; shot < 3; ++shot) {
        TBitmap picture = Pattern();
        picture.SetPixel(0, 0, MakeColor(shot, 0, 0));
        contents.push_back(ReadText(SavePictureAutomatically(picture, settings)));
    }
    std::vector<std::string> stored;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        stored.push_back(ReadText(entry.path().string()));
    std::sort(stored.begin(), stored.end());
    std::sort(contents.begin(), contents.end());
    EXPECT_EQ(stored, contents);
}

TEST_F(SaveExportTest, FailedSaveReportsThePathAndClaimsNothing) {
    settings.SaveDirectory = folder + "/gone";
    try {
        SavePictureAutomatically(Pattern(), settings);
        FAIL() << "no error";
    } catch (const EFileError& error) {
        EXPECT_EQ(std::string(error.what())
                      .rfind("Cannot create file \"" + folder + "/gone/截图1.jpg\". ", 0),
                  0u)
            << error.what();
    }
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(SaveCounter, 2);
}

TEST_F(SaveExportTest, SaveAsAppendsTheFormatsExtensionAndRemembersTheName) {
    TSaveAs saveAs = DialogAnswering(folder + "/photo.png");
    settings.FormatIndex = 1;
    EXPECT_EQ(saveAs.Save(Pattern(), settings, nullptr), folder + "/photo.png.jpg");
    EXPECT_EQ(Identify("%m %wx%h", folder + "/photo.png.jpg"), "JPEG 47x33");
    saveAs.Save(Pattern(), settings, nullptr);

    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].Title, QStringLiteral("图像另存为"));
    EXPECT_EQ(requests[0].InitialName, QString::fromStdString(folder + "/jietu"));
    EXPECT_EQ(requests[0].Filter, QStringLiteral("Bitmaps (*.bmp);;JPEG Image File (*.jpg);;"
                                                 "GIF Image (*.gif);;Tiff (*.tif);;PNG (*.png)"));
    EXPECT_EQ(requests[1].InitialName, QString::fromStdString(folder + "/photo.png"));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(SaveCounter, 1);
}

TEST_F(SaveExportTest, CancelledSaveAsWritesNothing) {
    EXPECT_FALSE(DialogAnswering(std::nullopt).Save(Pattern(), settings, nullptr));
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}

TEST_F(SaveExportTest, FailedSaveAsLeavesTheExistingFileIntact) {
    // A format outside the list has no extension, so the path is the existing file itself.
    const std::string existing = folder + "/keep";
    std::ofstream(existing) << "earlier capture";
    settings.FormatIndex = 7;
    EXPECT_THROW(DialogAnswering(existing).Save(Pattern(), settings, nullptr), EZorvicError);
    EXPECT_EQ(ReadText(existing), "earlier capture");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
}

TEST_F(SaveExportTest, CopyPutsThePictureOnTheClipboardAndConfirms) {
    CopyPictureToClipboard(Pattern(), platform);
    ASSERT_TRUE(desktop->ClipboardImage);
    EXPECT_EQ(desktop->ClipboardImage->Width(), 47);
    EXPECT_EQ(desktop->ClipboardImage->GetPixel(10, 20), Pattern().GetPixel(10, 20));
    EXPECT_EQ(messages, std::vector<std::string>{"已成功复制到剪贴板！"});
}

TEST_F(SaveExportTest, WallpaperIsWrittenRecordedAndShown) {
    settings.NameTemplate = "壁纸";
    std::filesystem::remove_all(WallpaperDirectory());
    const std::string path = SetPictureAsWallpaper(Pattern(), settings, platform);
    EXPECT_EQ(path, WallpaperDirectory() + "/壁纸.bmp");
    EXPECT_EQ(Identify("%m %wx%h", path), "BMP3 47x33");

    // A second picture replaces the first under the same name.
    SetPictureAsWallpaper(TBitmap(5, 4), settings, platform);
    EXPECT_EQ(Identify("%m %wx%h", path), "BMP3 5x4");

    EXPECT_EQ(DesktopValue("Wallpaper"), path);
    EXPECT_EQ(DesktopValue("TileWallpaper"), "0");
    EXPECT_EQ(DesktopValue("WallpaperStyle"), "2");
    EXPECT_EQ(desktop->WallpaperPath, path);
    EXPECT_TRUE(messages.empty());
}

TEST_F(SaveExportTest, WallpaperFolderThatCannotBeMadeChangesNoDesktopValue) {
    WriteRegValue(TRegRoot::HKEY_CURRENT_USER, kDesktopKey, "Wallpaper", kRegString, "/old.bmp",
                  false);
    desktop->WallpaperPath = "/old.bmp";
    // A plain file where the data folder should be.
    const std::string blocked = folder + "/data";
    std::ofstream(blocked) << "not a folder";
    {
        const TScopedEnvironment dataHome("XDG_DATA_HOME", blocked);
        EXPECT_THROW(SetPictureAsWallpaper(Pattern(), settings, platform), EFileError);
    }

    EXPECT_EQ(DesktopValue("Wallpaper"), "/old.bmp");
    EXPECT_EQ(desktop->WallpaperPath, "/old.bmp");
}

} // namespace
} // namespace zorvic::testing
