#include "TempDir.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace zorvic::testing {

namespace fs = std::filesystem;

TTempDir::TTempDir() : TTempDir(fs::temp_directory_path().string()) {}

TTempDir::TTempDir(const std::string& parent) {
    std::string pattern = parent + "/zorvic-test-XXXXXX";
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a folder in " + parent);
    path_ = pattern;
}

TTempDir::~TTempDir() {
    std::error_code ignored;
    // A test may have left folders it made read-only.
    for (auto entry = fs::recursive_directory_iterator(path_, ignored);
         entry != fs::recursive_directory_iterator(); entry.increment(ignored))
        if (entry->is_directory(ignored))
            fs::permissions(entry->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
}

std::vector<std::string> TTempDir::Files() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace zorvic::testing
