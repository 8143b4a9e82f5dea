#pragma once
#include <string>

namespace zorvic {

// Where the program keeps and finds its files. Every function reads the environment afresh, so a
// test can point them at temporary folders.

// The settings folder: $ZORVIC_CONFIG_DIR when set, else $XDG_CONFIG_HOME/zorvic
// (default ~/.config/zorvic). No trailing "/".
std::string ConfigDirectory();

// $XDG_CONFIG_HOME, or ~/.config when it is unset or not absolute. No trailing "/".
std::string XdgConfigHome();

// The user's home folder: $HOME, else the password database's entry.
std::string HomeDirectory();

// The user's documents folder: what `xdg-user-dir DOCUMENTS` prints, else ~/Documents.
// No trailing "/".
std::string DocumentsDirectory();

// The running executable's absolute path, resolved through /proc/self/exe.
std::string ProgramPath();

// The folder of the running executable, with its trailing "/".
std::string ProgramDirectory();

// Creates `path` and its missing parents (mode 0700 for new folders). False when it cannot.
bool MakeDirectories(const std::string& path);

} // namespace zorvic
