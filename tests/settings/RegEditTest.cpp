#include "RegEdit.h"

#include "ConfigPaths.h"
#include "SettingsSandbox.h"

#include <filesystem>
#include <functional>

namespace zorvic {
namespace {

using namespace testing;

constexpr const char* kSaveKey = "SOFTWARE\\Zorvic\\Settings\\Save";
constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

class RegEdit : public testing::SettingsSandbox {
protected:
    std::string Read(TRegRoot root, const std::string& key, const std::string& name, int kind) {
        std::string out = "untouched";
        ReadRegValue(root, key, name, kind, out, false);
        return out;
    }

    // Runs `action` and gives the message of the EZorvicError it throws.
    template <typename Action> std::string ErrorOf(Action action) {
        try {
            action();
        } catch (const EZorvicError& error) {
            return error.what();
        }
        return "no error";
    }
};

TEST_F(RegEdit, StringsRoundTripWhateverTheyHold) {
    const std::string texts[] = {"",    "截图",           "say \"hi\"", "C:\\dir\\", "\\",
                                 "\\n", "two\nlines\r\n", "\"=\"",      "]\n[x]",    "tab\t"};
    for (const std::string& text : texts) {
        const std::string name = "name " + text;
        WriteRegValue(HKLM, kSaveKey, name, kRegString, text, true);
        EXPECT_EQ(Read(HKLM, kSaveKey, name, kRegString), text);
    }
    for (const std::string& text : texts)
        EXPECT_EQ(Read(HKLM, kSaveKey, "name " + text, kRegString), text) << "after later writes";
}

TEST_F(RegEdit, IntegersTravelAsSignedDecimalText) {
    const std::pair<const char*, const char*> cases[] = {{"0", "0"},
                                                         {"5000", "5000"},
                                                         {"-1", "-1"},
                                                         {"+7", "7"},
                                                         {"007", "7"},
                                                         {"2147483647", "2147483647"},
                                                         {"-2147483648", "-2147483648"}};
    for (const auto& [written, read] : cases) {
        WriteRegValue(HKLM, kSaveKey, "Delay", kRegInteger, written, true);
        EXPECT_EQ(Read(HKLM, kSaveKey, "Delay", kRegInteger), read) << written;
    }
}

TEST_F(RegEdit, WritesTheRegistryFileSyntax) {
    WriteRegValue(HKLM, "SOFTWARE\\Zorvic", "Ver", kRegString, "V1.5", true);
    WriteRegValue(HKLM, "SOFTWARE\\Zorvic\\Settings\\Conventional", "Delay", kRegInteger, "5000",
                  true);
    WriteRegValue(HKLM, "software\\ZORVIC", "install_dir", kRegString, "/opt/a \"b\"\\c/", true);
    WriteRegValue(HKLM, "SOFTWARE\\Zorvic", "Install_Dir", kRegString, "/opt/z/", true);
    WriteRegValue(HKLM, "SOFTWARE\\Zorvic\\Settings\\High", "Quit", kRegInteger, "-1", true);

    EXPECT_EQ(ReadText(SettingsFile("HKLM.reg")),
              "[HKEY_LOCAL_MACHINE\\SOFTWARE]\n\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft]\n\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows]\n\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion]\n\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run]\n\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zorvic]\n"
              "\"Ver\"=\"V1.5\"\n"
              "\"install_dir\"=\"/opt/z/\"\n\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zorvic\\Settings]\n\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zorvic\\Settings\\Conventional]\n"
              "\"Delay\"=dword:00001388\n\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zorvic\\Settings\\High]\n"
              "\"Quit\"=dword:ffffffff\n\n");
}

TEST_F(RegEdit, MissingKeyWithoutCreateIsASilentNoOpForAllFive) {
    const std::string key = "SOFTWARE\\Zorvic\\Settings\\High";
    WriteRegValue(HKLM, "SOFTWARE\\Zorvic", "Ver", kRegString, "V1.5", true);
    const std::string before = ReadText(SettingsFile("HKLM.reg"));

    EXPECT_FALSE(OpenRegKey(HKLM, key, false));
    EXPECT_FALSE(RegValueExists(HKLM, key, "Quit", false));
    EXPECT_EQ(Read(HKLM, key, "Quit", kRegInteger), "untouched");
    EXPECT_NO_THROW(WriteRegValue(HKLM, key, "Quit", kRegInteger, "not a number", false));
    EXPECT_NO_THROW(DeleteRegValue(HKLM, key, "Quit", false));

    EXPECT_EQ(ReadText(SettingsFile("HKLM.reg")), before);
    EXPECT_FALSE(OpenRegKey(HKLM, key, false));
}

TEST_F(RegEdit, ReadsWithoutCreateNeverMakeFiles) {
    EXPECT_FALSE(OpenRegKey(HKLM, "SOFTWARE\\Zorvic", false));
    EXPECT_EQ(Read(HKCU, "Control Panel\\Desktop", "Wallpaper", kRegString), "untouched");
    EXPECT_FALSE(FileExists(settingsDir_));
}

TEST_F(RegEdit, CreateMakesTheKeyAndItsParentsWhicheverRoutineAsks) {
    const std::function<void(const std::string&)> routines[] = {
        [](const std::string& key) { EXPECT_TRUE(OpenRegKey(HKLM, key, true)); },
        [](const std::string& key) { EXPECT_FALSE(RegValueExists(HKLM, key, "v", true)); },
        [](const std::string& key) {
            std::string out = "untouched";
            ReadRegValue(HKLM, key, "v", kRegString, out, true);
            EXPECT_EQ(out, "untouched");
        },
        [](const std::string& key) { WriteRegValue(HKLM, key, "v", 2, "x", true); },
        [](const std::string& key) { DeleteRegValue(HKLM, key, "v", true); },
    };
    for (std::size_t i = 0; i < std::size(routines); ++i) {
        const std::string top = "Top" + std::to_string(i);
        routines[i](top + "\\Middle\\Leaf");
        EXPECT_TRUE(OpenRegKey(HKLM, top, false)) << i;
        EXPECT_TRUE(OpenRegKey(HKLM, "top" + std::to_string(i) + "\\MIDDLE\\leaf", false)) << i;
        EXPECT_FALSE(RegValueExists(HKLM, top + "\\Middle\\Leaf", "v", false)) << i;
    }
    EXPECT_NE(ReadText(SettingsFile("HKLM.reg")).find("[HKEY_LOCAL_MACHINE\\Top4\\Middle]\n"),
              std::string::npos);
}

TEST_F(RegEdit, ValueNamesMatchInAnyCaseAndDeleteRemovesOnlyThatValue) {
    WriteRegValue(HKLM, kSaveKey, "Dir", kRegString, "/pictures", true);
    WriteRegValue(HKLM, kSaveKey, "Temp", kRegString, "截图", true);

    EXPECT_TRUE(RegValueExists(HKLM, kSaveKey, "DIR", false));
    DeleteRegValue(HKLM, "software\\zorvic\\settings\\save", "dIR", false);
    DeleteRegValue(HKLM, kSaveKey, "Dir", false);

    EXPECT_FALSE(RegValueExists(HKLM, kSaveKey, "Dir", false));
    EXPECT_EQ(Read(HKLM, kSaveKey, "Dir", kRegString), "untouched");
    EXPECT_EQ(Read(HKLM, kSaveKey, "Temp", kRegString), "截图");
}

TEST_F(RegEdit, OtherKindsDoNothing) {
    WriteRegValue(HKLM, kSaveKey, "Comp", kRegString, "80", true);
    WriteRegValue(HKLM, kSaveKey, "Comp", 2, "90", true);
    WriteRegValue(HKLM, kSaveKey, "Comp", -1, "90", true);

    EXPECT_EQ(Read(HKLM, kSaveKey, "Comp", 2), "untouched");
    EXPECT_EQ(Read(HKLM, kSaveKey, "Comp", kRegString), "80");
}

TEST_F(RegEdit, ReadingTheOtherKindIsAnInvalidDataType) {
    WriteRegValue(HKLM, kSaveKey, "Quit", kRegInteger, "1", true);
    WriteRegValue(HKLM, kSaveKey, "Type", kRegString, "1", true);

    EXPECT_EQ(ErrorOf([&] { Read(HKLM, kSaveKey, "Quit", kRegString); }),
              "Invalid data type for 'Quit'");
    EXPECT_EQ(ErrorOf([&] { Read(HKLM, kSaveKey, "Type", kRegInteger); }),
              "Invalid data type for 'Type'");
}

TEST_F(RegEdit, IntegerWritesRefuseTextThatIsNotADecimalIntegerAndKeepTheOldValue) {
    WriteRegValue(HKLM, kSaveKey, "Delay", kRegInteger, "1000", true);
    for (const std::string text : {"", "abc", "1.5", " 1", "1 ", "0x10", "2147483648", "一"}) {
        EXPECT_THROW(WriteRegValue(HKLM, kSaveKey, "Delay", kRegInteger, text, true),
                     EConvertError);
        EXPECT_EQ(ErrorOf([&] { WriteRegValue(HKLM, kSaveKey, "Delay", kRegInteger, text, true); }),
                  "'" + text + "' is not a valid integer value");
    }
    EXPECT_EQ(Read(HKLM, kSaveKey, "Delay", kRegInteger), "1000");
}

TEST_F(RegEdit, AStoreThatCannotBeReadIsToldOnceInOneLineAndIsOutOfReach) {
    // A folder where the file should be: it opens, but reading it fails, even for root.
    std::filesystem::create_directories(SettingsFile("HKLM.reg") + "/inside");

    EXPECT_EQ(Read(HKLM, kSaveKey, "Dir", kRegString), "untouched");
    EXPECT_NO_THROW(WriteRegValue(HKLM, kSaveKey, "Dir", kRegString, "/x", true));
    EXPECT_NO_THROW(DeleteRegValue(HKLM, kSaveKey, "Dir", true));
    EXPECT_FALSE(OpenRegKey(HKLM, kSaveKey, true));
    EXPECT_FALSE(RegValueExists(HKLM, kSaveKey, "Dir", true));
    EXPECT_TRUE(std::filesystem::is_directory(SettingsFile("HKLM.reg") + "/inside"));
    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_NE(reports_[0].find(SettingsFile("HKLM.reg")), std::string::npos) << reports_[0];
    EXPECT_EQ(reports_[0].find('\n'), std::string::npos) << reports_[0];
    // The other root is not affected.
    WriteRegValue(HKCU, "Control Panel\\Desktop", "Wallpaper", kRegString, "/w.bmp", false);
    EXPECT_EQ(Read(HKCU, "Control Panel\\Desktop", "Wallpaper", kRegString), "/w.bmp");
}

TEST_F(RegEdit, AFreshUserRootHoldsTheDocumentsFolderAndTheDesktopKey) {
    TStandInCommands commands;
    commands.Add("xdg-user-dir", 0, home_ + "/Dokumente\n");
    const std::string expected = home_ + "/Dokumente";

    EXPECT_EQ(Read(HKCU, kShellFolders, "Personal", kRegString), expected);
    EXPECT_TRUE(OpenRegKey(HKCU, "Control Panel\\Desktop", false));
    EXPECT_FALSE(FileExists(SettingsFile("HKCU.reg"))) << "reads alone create nothing";

    WriteRegValue(HKCU, "Control Panel\\Desktop", "Wallpaper", kRegString, "/w.bmp", false);
    EXPECT_EQ(ReadText(SettingsFile("HKCU.reg")),
              "[HKEY_CURRENT_USER\\Software]\n\n"
              "[HKEY_CURRENT_USER\\Software\\Microsoft]\n\n"
              "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows]\n\n"
              "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion]\n\n"
              "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer]\n\n"
              "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell "
              "Folders]\n"
              "\"Personal\"=\"" +
                  expected +
                  "\"\n\n"
                  "[HKEY_CURRENT_USER\\Control Panel]\n\n"
                  "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"
                  "\"Wallpaper\"=\"/w.bmp\"\n\n");
    EXPECT_FALSE(FileExists(SettingsFile("HKLM.reg")));
}

TEST_F(RegEdit, UnknownRootsOpenNothing) {
    const auto other = static_cast<TRegRoot>(0x80000003);
    EXPECT_FALSE(OpenRegKey(other, "SOFTWARE", true));
    EXPECT_NO_THROW(WriteRegValue(other, "SOFTWARE", "v", kRegString, "x", true));
    EXPECT_FALSE(FileExists(settingsDir_));
}

} // namespace
} // namespace zorvic
