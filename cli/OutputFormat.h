#pragma once
#include <optional>
#include <string>

namespace zorvic {

// Index in the editor's format list (0 bmp, 1 jpg, 2 gif, 3 tif, 4 png) chosen by the extension of
// an output name, in any letter case; nothing for any other name.
std::optional<int> OutputFormatOf(const std::string& path);

} // namespace zorvic
