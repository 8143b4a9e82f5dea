#include "FileNameCase.h"

#include <QString>

#include <filesystem>
#include <set>

namespace zorvic {

std::string FileIgnoringCase(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path given(path);
    if (fs::exists(given, error)) return path;
    const fs::path folder = given.has_parent_path() ? given.parent_path() : fs::path(".");
    const QString wanted = QString::fromStdString(given.filename().string());
    std::set<std::string> matches;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (QString::fromStdString(name).compare(wanted, Qt::CaseInsensitive) == 0)
            matches.insert(name);
    }
    if (matches.empty()) return path;
    return given.has_parent_path() ? (folder / *matches.begin()).string() : *matches.begin();
}

std::string FromCurrentDirectory(const std::string& name) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(name, error);
    return error ? name : absolute.lexically_normal().string();
}

} // namespace zorvic
