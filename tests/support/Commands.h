#pragma once
#include <string>

namespace zorvic::testing {

struct TCommandResult {
    int exitCode = -1;
    std::string output; // stdout, and stderr after it unless left out
};
// Runs a shell command line and collects what it prints.
TCommandResult Run(const std::string& command, bool withErrors = true);
// The text as one shell word.
std::string Quoted(const std::string& text);

// ImageMagick's identify -format of a file, such as "%m %wx%h"; its warnings left out.
std::string Identify(const std::string& format, const std::string& path);

} // namespace zorvic::testing
