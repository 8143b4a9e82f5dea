#include "StandInCommands.h"

#include "Files.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <unistd.h>

namespace zorvic::testing {

TStandInCommands::TStandInCommands()
    : realPath_(std::getenv("PATH") ? std::getenv("PATH") : ""), path_("PATH", folder_.Path()) {}

void TStandInCommands::Add(const std::string& name, int status, const std::string& output) {
    const std::string outputFile = folder_.Path(name + ".output");
    WriteText(outputFile, output);
    const std::string script = folder_.Path(name);
    // Nothing else is on PATH: the shell's own printf, and cat by its full name.
    WriteText(script, "#!/bin/sh\nprintf '%s\\n' \"$*\" >> '" + folder_.Path(name + ".log") +
                          "'\n/bin/cat '" + outputFile + "'\nexit " + std::to_string(status) +
                          "\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
}

void TStandInCommands::KeepReal(std::initializer_list<const char*> names) {
    for (const char* name : names) {
        std::istringstream folders(realPath_);
        for (std::string folder; std::getline(folders, folder, ':');) {
            const std::string real = folder + "/" + name;
            if (access(real.c_str(), X_OK) != 0) continue;
            std::filesystem::create_symlink(real, folder_.Path(name));
            break;
        }
    }
}

std::vector<std::string> TStandInCommands::Calls(const std::string& name) const {
    std::istringstream log(ReadText(folder_.Path(name + ".log")));
    std::vector<std::string> calls;
    for (std::string line; std::getline(log, line);)
        calls.push_back(line);
    return calls;
}

} // namespace zorvic::testing
