#include "Autostart.h"

#include "AtomicFile.h"
#include "ConfigPaths.h"
#include "Errors.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace zorvic {

namespace {

constexpr const char* kAutostartArgument = "s";

// An argument holding any of these must be quoted in an Exec line.
constexpr const char* kReservedCharacters = " \t\n\"'\\><~|&;$*?#()`";

std::string QuotedExecArgument(const std::string& argument) {
    std::string quoted;
    const bool needsQuotes =
        argument.empty() || argument.find_first_of(kReservedCharacters) != std::string::npos;
    if (needsQuotes) quoted += '"';
    for (const char c : argument) {
        if (needsQuotes && (c == '"' || c == '`' || c == '$' || c == '\\')) quoted += '\\';
        quoted += c;
        // A lone percent sign would start a field code.
        if (c == '%') quoted += '%';
    }
    if (needsQuotes) quoted += '"';
    return quoted;
}

// String values of a desktop entry have their own escapes, undone before the Exec line is split.
std::string EscapedEntryValue(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '\\':
            escaped += "\\\\";
            break;
        case '\n':
            escaped += "\\n";
            break;
        case '\t':
            escaped += "\\t";
            break;
        case '\r':
            escaped += "\\r";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

} // namespace

bool IsAutostartValue(TRegRoot root, const std::string& keyPath, const std::string& name) {
    return root == TRegRoot::HKEY_LOCAL_MACHINE && SameRegistryName(keyPath, kAutostartKey) &&
           SameRegistryName(name, kAutostartValue);
}

std::string AutostartCommand() {
    return ProgramDirectory() + "zorvic " + kAutostartArgument;
}

std::string AutostartEntryPath() {
    return XdgConfigHome() + "/autostart/zorvic.desktop";
}

std::string AutostartExec(const std::string& programPath) {
    return EscapedEntryValue(QuotedExecArgument(programPath) + " " + kAutostartArgument);
}

void WriteAutostartEntry() {
    const std::string path = AutostartEntryPath();
    const std::string folder = path.substr(0, path.rfind('/'));
    if (!MakeDirectories(folder))
        throw EFileError(
            FormatMessage("Cannot create file \"%s\". %s", {path, std::strerror(errno)}));
    const std::string entry =
        "[Desktop Entry]\nType=Application\nName=Zorvic\nExec=" + AutostartExec(ProgramPath()) +
        "\n";
    TAtomicFile file(path);
    file.Write(entry.data(), entry.size());
    file.Commit();
}

void RemoveAutostartEntry() {
    const std::string path = AutostartEntryPath();
    if (unlink(path.c_str()) != 0 && errno != ENOENT)
        throw EFileError(
            FormatMessage("Cannot delete file \"%s\". %s", {path, std::strerror(errno)}));
}

} // namespace zorvic
