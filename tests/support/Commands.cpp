#include "Commands.h"

#include <array>
#include <cstdio>
#include <sys/wait.h>

namespace zorvic::testing {

TCommandResult Run(const std::string& command, bool withErrors) {
    TCommandResult result;
    std::FILE* pipe = popen((command + (withErrors ? " 2>&1" : " 2>/dev/null")).c_str(), "r");
    if (!pipe) return result;
    std::array<char, 4096> buffer;
    std::size_t got;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.output.append(buffer.data(), got);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string Identify(const std::string& format, const std::string& path) {
    return Run("identify -format " + Quoted(format) + " " + Quoted(path), false).output;
}

} // namespace zorvic::testing
