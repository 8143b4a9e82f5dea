#include "OutputFormat.h"

#include "FormatConversion.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace zorvic {

std::optional<int> OutputFormatOf(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (int index = kFormatBmp; index <= kLastFormat; ++index)
        if (extension == ExtensionOfFormat(index)) return index;
    return std::nullopt;
}

} // namespace zorvic
