#pragma once
#include <string>

namespace zorvic {

// Where the program keeps its options in the settings store, all under HKEY_LOCAL_MACHINE.
inline constexpr const char* kProductKey = "SOFTWARE\\Zorvic";
inline constexpr const char* kConventionalKey = "SOFTWARE\\Zorvic\\Settings\\Conventional";
inline constexpr const char* kSaveKey = "SOFTWARE\\Zorvic\\Settings\\Save";
// Its existence marks a set-up product; the first-run defaults create it last.
inline constexpr const char* kHighKey = "SOFTWARE\\Zorvic\\Settings\\High";
inline constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kRunValue = "Zorvic";
// The user's documents folder lives under HKEY_CURRENT_USER.
inline constexpr const char* kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// The two value kinds, as the store numbers them.
enum class TValueKind { Integer = 0, String = 1 };

// One product value as text; a missing value reads as the empty text.
std::string ReadSetting(const char* key, const char* name, TValueKind kind, bool create);
void WriteSetting(const char* key, const char* name, TValueKind kind, const std::string& text,
                  bool create = true);

// "Zorvic" followed by the stored version text: the main window's title, by which the program
// also finds that window.
std::string MainWindowTitle();

// The autostart command: the program's folder, the program and the argument that parks it.
std::string AutoStartCommand();

} // namespace zorvic
