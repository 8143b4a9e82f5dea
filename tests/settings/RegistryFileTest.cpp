#include "RegistryFile.h"

#include <gtest/gtest.h>

namespace zorvic {
namespace {

TEST(RegistryFile, WritesOneSectionPerKeyWithParentsFirstAndEscapedValues) {
    TRegistryFile registry("HKEY_LOCAL_MACHINE");
    registry.CreateKey("SOFTWARE\\Zorvic\\Settings\\High")
        .SetValue({"Quit", TRegValueKind::Integer, 0, ""});
    registry.CreateKey("SOFTWARE\\Zorvic").SetValue({"Ver", TRegValueKind::String, 0, "V1.5"});
    registry.FindKey("software\\zorvic")
        ->SetValue({"Install_Dir", TRegValueKind::String, 0, "/a \"b\"\\c\nd"});
    registry.FindKey("SOFTWARE")->SetValue({"", TRegValueKind::Integer, 0xdeadbeef, ""});

    EXPECT_EQ(registry.Serialise(), "[HKEY_LOCAL_MACHINE\\SOFTWARE]\n"
                                    "@=dword:deadbeef\n"
                                    "\n"
                                    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zorvic]\n"
                                    "\"Ver\"=\"V1.5\"\n"
                                    "\"Install_Dir\"=\"/a \\\"b\\\"\\\\c\\nd\"\n"
                                    "\n"
                                    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zorvic\\Settings]\n"
                                    "\n"
                                    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zorvic\\Settings\\High]\n"
                                    "\"Quit\"=dword:00000000\n"
                                    "\n");
}

TEST(RegistryFile, ParsesWhatItWritesBackToTheSameText) {
    TRegistryFile registry("HKEY_CURRENT_USER");
    TRegKey& key = registry.CreateKey("Control Panel\\Desktop");
    for (const std::string text : {"", "\\", "\"", "\\n", "a\r\nb", "截图", "tab\there", "=]@;"})
        key.SetValue({"v" + text, TRegValueKind::String, 0, text});
    key.SetValue({"n", TRegValueKind::Integer, 0xffffffff, ""});

    const std::string written = registry.Serialise();
    TRegistryFile parsed = TRegistryFile::Parse("HKEY_CURRENT_USER", written);

    EXPECT_EQ(parsed.Serialise(), written);
    EXPECT_EQ(parsed.FindKey("control panel\\desktop")->FindValue("v\\n")->text, "\\n");
    EXPECT_EQ(parsed.FindKey("Control Panel\\Desktop")->FindValue("Va\r\nB")->text, "a\r\nb");
}

TEST(RegistryFile, ReadsHandEditedFilesLeniently) {
    const std::string edited = "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n"
                               "\r\n"
                               "; a comment\r\n"
                               "  [hkey_local_machine\\\\SOFTWARE\\\\Zorvic\\]  \r\n"
                               "\"Dir\" = \"C:\\Temp\\\\x\"\r\n"
                               "\"Delay\"=DWORD:00001388\r\n"
                               "\"dir\"=\"last wins\"\r\n";

    TRegistryFile parsed = TRegistryFile::Parse("HKEY_LOCAL_MACHINE", edited);

    const TRegKey* key = parsed.FindKey("SOFTWARE\\Zorvic");
    ASSERT_NE(key, nullptr);
    EXPECT_NE(parsed.FindKey("SOFTWARE"), nullptr);
    EXPECT_EQ(key->FindValue("DIR")->text, "last wins");
    EXPECT_EQ(key->FindValue("DIR")->name, "Dir");
    EXPECT_EQ(key->FindValue("delay")->number, 5000u);
    EXPECT_EQ(
        TRegistryFile::Parse("HKEY_LOCAL_MACHINE", "[HKEY_LOCAL_MACHINE\\A]\n\"p\"=\"C:\\Temp\"\n")
            .FindKey("A")
            ->FindValue("p")
            ->text,
        "C:\\Temp");
}

TEST(RegistryFile, RejectsTextThatIsNotARegistryFileOfItsRoot) {
    const char* broken[] = {
        "garbage\n",
        "\"Ver\"=\"V1.5\"\n",
        "[HKEY_CURRENT_USER\\Software]\n",
        "[HKEY_LOCAL_MACHINEX\\Software]\n",
        "[-HKEY_LOCAL_MACHINE\\Software]\n",
        "[HKEY_LOCAL_MACHINE\\A]\n\"Ver\"=\"unterminated\n",
        "[HKEY_LOCAL_MACHINE\\A]\n\"Ver\"=\"a\" trailing\n",
        "[HKEY_LOCAL_MACHINE\\A]\n\"Ver\"=hex:01,02\n",
        "[HKEY_LOCAL_MACHINE\\A]\n\"Ver\"=dword:123456789\n",
        "[HKEY_LOCAL_MACHINE\\A]\n\"Ver\"=dword:\n",
        "[HKEY_LOCAL_MACHINE\\A]\n\"Ver\"=dword:0000000g\n",
        "[HKEY_LOCAL_MACHINE\\A]\n\"Ver\"\n",
        "[HKEY_LOCAL_MACHINE\\A\rB]\n",
    };
    for (const char* text : broken)
        EXPECT_THROW(TRegistryFile::Parse("HKEY_LOCAL_MACHINE", text), ERegistryFormatError)
            << text;
}

TEST(RegistryFile, SalvagesWhatCanBeReadAndNotesEachLineThatCannot) {
    const std::string text = "[HKEY_LOCAL_MACHINE\\A]\n"
                             "\"kept\"=\"1\"\n"
                             "\"broken\"=what\n"        // 3
                             "stray text\n"             // 4
                             "[HKEY_CURRENT_USER\\B]\n" // 5: its values go with it
                             "\"lost\"=\"2\"\n"
                             "[HKEY_LOCAL_MACHINE\\C]\n"
                             "\"also kept\"=dword:00000002\n";

    const TSalvagedRegistry salvaged = TRegistryFile::Salvage("HKEY_LOCAL_MACHINE", text);

    std::vector<std::size_t> lines;
    for (const TRegistryDamage& damage : salvaged.Damage)
        lines.push_back(damage.Line);
    EXPECT_EQ(lines, (std::vector<std::size_t>{3, 4, 5}));
    EXPECT_EQ(salvaged.File.FindKey("A")->FindValue("kept")->text, "1");
    EXPECT_EQ(salvaged.File.FindKey("A")->FindValue("broken"), nullptr);
    EXPECT_EQ(salvaged.File.FindKey("B"), nullptr);
    EXPECT_EQ(salvaged.File.FindKey("C")->FindValue("also kept")->number, 2u);
    EXPECT_TRUE(
        TRegistryFile::Salvage("HKEY_LOCAL_MACHINE", salvaged.File.Serialise()).Damage.empty());
}

TEST(RegistryFile, NamesTheLineItCannotRead) {
    try {
        TRegistryFile::Parse("HKEY_LOCAL_MACHINE", "[HKEY_LOCAL_MACHINE\\A]\n\n\"x\"=what\n");
        FAIL();
    } catch (const ERegistryFormatError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("line 3: ", 0), 0u) << error.what();
    }
}

TEST(RegistryFile, KeyPathsDropEmptyComponentsAndRefuseLineBreaks) {
    EXPECT_EQ(NormalKeyPath("\\SOFTWARE\\\\Zorvic\\"), "SOFTWARE\\Zorvic");
    EXPECT_EQ(NormalKeyPath(""), "");
    EXPECT_EQ(NormalKeyPath("A\nB"), std::nullopt);
}

} // namespace
} // namespace zorvic
