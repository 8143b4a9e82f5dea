#pragma once
#include <string>

namespace zorvic {

// One file under names that differ only in case ("Video.avi", "VIDEO.AVI"), as on a file
// system that does not tell case apart: the file `path` names when it exists; else the file of
// the same folder whose name equals it but for case (the first in name order when there are
// several); else `path` unchanged, for a file yet to be created.
std::string FileIgnoringCase(const std::string& path);

} // namespace zorvic
