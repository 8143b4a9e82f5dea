#pragma once
#include <string>

namespace zorvic {

// One file under names that differ only in case ("Video.avi", "VIDEO.AVI"), as on a file
// system that does not tell case apart: the file `path` names when it exists; else the file of
// the same folder whose name equals it but for case (the first in name order when there are
// several); else `path` unchanged, for a file yet to be created.
std::string FileIgnoringCase(const std::string& path);

// The path from the root of a name relative to the current directory, so that messages say
// where the file was meant to go; the name as given when the current directory is gone.
std::string FromCurrentDirectory(const std::string& name);

} // namespace zorvic
