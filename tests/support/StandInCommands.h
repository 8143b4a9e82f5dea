#pragma once
#include "ScopedEnvironment.h"
#include "TempDir.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace zorvic::testing {

// Outside programs redirected for as long as this lives: PATH names only a folder of its own, so
// that a program the code under test runs is one of the stand-ins added here or is not found at
// all, and never reaches the user's desktop.
class TStandInCommands {
public:
    TStandInCommands();

    // A stand-in for `name` that logs its arguments, prints `output` and ends with `status`.
    void Add(const std::string& name, int status = 0, const std::string& output = "");
    // The real programs of these names, as PATH found them before, for what the test itself runs
    // (ImageMagick's readers, say).
    void KeepReal(std::initializer_list<const char*> names);
    // Each call of `name` so far, its arguments joined by spaces.
    std::vector<std::string> Calls(const std::string& name) const;

private:
    TTempDir folder_;
    std::string realPath_;
    TScopedEnvironment path_;
};

} // namespace zorvic::testing
