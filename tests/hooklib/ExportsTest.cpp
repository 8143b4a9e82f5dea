#include "Commands.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

namespace {

// Internals that leak into the dynamic symbol table could clash with the program's own names.
TEST(HookLibraryExports, AreExactlyTheEntryPointsOfTheHeader) {
    const zorvic::testing::TCommandResult nm =
        zorvic::testing::Run(std::string("nm -D --defined-only ") + ZORVIC_HOOKLIB_PATH, false);
    ASSERT_EQ(nm.exitCode, 0);
    std::set<std::string> names;
    std::istringstream lines(nm.output);
    for (std::string line; std::getline(lines, line);) {
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
