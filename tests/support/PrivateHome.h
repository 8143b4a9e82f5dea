#pragma once
#include "ScopedEnvironment.h"
#include "TempDir.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zorvic::testing {

// The folders a program of ours reads and writes for its user, under `root`: its home, config
// home, data home, settings folder and runtime folder, as environment variables name them.
std::vector<std::pair<const char*, std::string>> HomeVariables(const std::string& root);

// A home of the test's own under a fresh temporary folder, named in this process's environment
// while it lives, so that nothing reads or changes the user's own. Only the home and the runtime
// folder exist at first.
class TPrivateHome {
public:
    TPrivateHome();

    const std::string& Root() const { return root_.Path(); }
    std::string Home() const { return root_.Path("home"); }
    std::string ConfigHome() const { return root_.Path("config"); }
    std::string Settings() const { return root_.Path("settings"); }

private:
    TTempDir root_;
    std::vector<std::unique_ptr<TScopedEnvironment>> environment_;
};

} // namespace zorvic::testing
