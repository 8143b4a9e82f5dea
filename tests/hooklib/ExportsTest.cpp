#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <sstream>
#include <string>

namespace {

// Internals that leak into the dynamic symbol table could clash with the program's own names.
TEST(HookLibraryExports, AreExactlyTheEntryPointsOfTheHeader) {
    std::string command = std::string("nm -D --defined-only ") + ZORVIC_HOOKLIB_PATH;
    std::unique_ptr<FILE, decltype(&pclose)> nm(popen(command.c_str(), "r"), &pclose);
    ASSERT_TRUE(nm);
    std::set<std::string> names;
    char line[512];
    while (fgets(line, sizeof line, nm.get())) {
        std::istringstream fields(line);
        std::string address, type, name;
        if (fields >> address >> type >> name) names.insert(name);
    }
    EXPECT_EQ(names,
              (std::set<std::string>{"DisableHotKeyHook", "DisableMouseHook", "EnableHotKeyHook",
                                     "EnableMouseHook", "GetDownHotKey", "GetMouseDown",
                                     "GetNoticeDescriptor", "PlayVoice", "SetMouseDown"}));
}

} // namespace
