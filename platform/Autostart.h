#pragma once
#include "RegistryStore.h"

#include <string>

namespace zorvic {

// The autostart value of the registry ("Zorvic" under the HKLM Run key) only takes effect on a
// Linux desktop as a freedesktop autostart entry. The settings store mirrors every write and
// delete of that value into $XDG_CONFIG_HOME/autostart/zorvic.desktop, which starts the running
// executable with "s".

// Where the options page keeps the autostart command (HKLM).
inline constexpr const char* kAutostartKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kAutostartValue = "Zorvic";

// The autostart command to store: the program's directory, the executable "zorvic" and "s",
// unquoted as the layout has it. The desktop entry itself uses the real executable path.
std::string AutostartCommand();

// True for the autostart value; `keyPath` as given by NormalKeyPath.
bool IsAutostartValue(TRegRoot root, const std::string& keyPath, const std::string& name);

std::string AutostartEntryPath();

// The Exec line's value as it stands in the entry: the program path quoted by the Desktop Entry
// rules, then the argument "s", escaped as a string value of the entry.
std::string AutostartExec(const std::string& programPath);

// Writes the entry for the running executable atomically. Throws EFileError when it cannot.
void WriteAutostartEntry();
// Removes the entry; no entry is fine. Throws EFileError when it cannot.
void RemoveAutostartEntry();

} // namespace zorvic
