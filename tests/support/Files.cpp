#include "Files.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <unistd.h>

namespace zorvic::testing {

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteText(const std::string& path, const std::string& text) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder);
    std::ofstream(path, std::ios::binary) << text;
}

bool FileExists(const std::string& path) {
    return access(path.c_str(), F_OK) == 0;
}

void WritePpm(const TBitmap& bitmap, const std::string& path) {
    std::string data =
        "P6\n" + std::to_string(bitmap.Width()) + " " + std::to_string(bitmap.Height()) + "\n255\n";
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            const TColor colour = bitmap.GetPixel(x, y);
            data += static_cast<char>(RedOf(colour));
            data += static_cast<char>(GreenOf(colour));
            data += static_cast<char>(BlueOf(colour));
        }
    WriteText(path, data);
}

} // namespace zorvic::testing
