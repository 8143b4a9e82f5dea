#pragma once
#include "RegistryFile.h"
#include "ScopedOverride.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace zorvic {

// The two registry roots the program uses, by their registry codes.
enum class TRegRoot : std::uint32_t {
    HKEY_CURRENT_USER = 0x80000001,
    HKEY_LOCAL_MACHINE = 0x80000002,
};

// The settings files on disk: HKLM.reg and HKCU.reg in ConfigDirectory(). Writers of one root
// take turns through an advisory lock on "<file>.lock" and replace the file atomically, so two
// running copies never lose each other's writes and a crash never leaves a torn file.
//
// A file with lines that cannot be parsed is renamed to "<file>.corrupt-<local time>" and
// replaced by every key and value that could be read from it; the user is told once, through the
// problem reporter, which file it was and where its copy is. A file that cannot be read at all is
// reported once per run and reads as nothing. A fresh HKCU holds the system's own
// values the program reads: "Personal" (the documents folder) and the key "Control Panel\Desktop".

// Receives the problems the user should hear about for as long as the object lives. Default: a
// line on stderr.
using TSettingsProblemReporter = std::function<void(const std::string&)>;
class TSettingsProblemReporterOverride : public TScopedOverride<TSettingsProblemReporter> {
public:
    explicit TSettingsProblemReporterOverride(TSettingsProblemReporter reporter);
};

// False for codes other than the two roots.
bool IsKnownRoot(TRegRoot root);

// The file that holds `root`.
std::string RegistryFilePath(TRegRoot root);

// The root's current content; nothing when its file exists but cannot be read.
std::optional<TRegistryFile> LoadRegistry(TRegRoot root);

// Re-reads the root under its lock and hands the content to `change`, which returns whether it
// changed anything; a change is saved atomically. Then `afterwards` runs, still under the lock,
// for work that must stay in step with the file. False when the root could not be read or saved
// (the file is left as it was; `afterwards` does not run). Errors thrown by `change` or
// `afterwards` pass through.
bool UpdateRegistry(TRegRoot root, const std::function<bool(TRegistryFile&)>& change,
                    const std::function<void()>& afterwards = {});

} // namespace zorvic
