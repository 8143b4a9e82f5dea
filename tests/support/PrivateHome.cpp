#include "PrivateHome.h"

#include <filesystem>

namespace zorvic::testing {

std::vector<std::pair<const char*, std::string>> HomeVariables(const std::string& root) {
    return {{"HOME", root + "/home"},
            {"XDG_CONFIG_HOME", root + "/config"},
            {"XDG_DATA_HOME", root + "/data"},
            {"ZORVIC_CONFIG_DIR", root + "/settings"},
            {"XDG_RUNTIME_DIR", root + "/runtime"}};
}

TPrivateHome::TPrivateHome() {
    for (const auto& [name, folder] : HomeVariables(Root()))
        environment_.push_back(std::make_unique<TScopedEnvironment>(name, folder));
    // The other folders are the program's to make when it needs them.
    std::filesystem::create_directories(Home());
    // Qt refuses a runtime folder that others may enter.
    std::filesystem::create_directory(root_.Path("runtime"));
    std::filesystem::permissions(root_.Path("runtime"), std::filesystem::perms::owner_all);
}

} // namespace zorvic::testing
