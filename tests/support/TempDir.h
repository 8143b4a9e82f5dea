#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace zorvic::testing {

// A fresh folder, removed with everything in it (read-only parts included) when this ends.
class TTempDir {
public:
    // Under the system's temporary folder, or under `parent`.
    TTempDir();
    explicit TTempDir(const std::string& parent);
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string Path(const std::string& name) const { return path_ + "/" + name; }
    std::filesystem::path operator/(const std::string& name) const { return Path(name); }
    // Names of the entries in the folder, sorted.
    std::vector<std::string> Files() const;

private:
    std::string path_;
};

} // namespace zorvic::testing
