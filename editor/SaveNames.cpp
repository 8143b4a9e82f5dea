#include "SaveNames.h"

#include "ConfigPaths.h"
#include "FormatConversion.h"

#include <climits>
#include <filesystem>

namespace zorvic {

int SaveCounter = 1;

namespace {

// The counter stops at the largest 32-bit value rather than wrapping to negative numbers.
void AdvanceSaveCounter() {
    if (SaveCounter < INT_MAX) ++SaveCounter;
}

bool Exists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::exists(path, ignored);
}

} // namespace

std::string FileNameSafe(const std::string& text) {
    std::string safe = text;
    for (char& c : safe)
        if (c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20) c = '-';
    return safe;
}

std::string TimeStampName(const QDateTime& now) {
    // The form of the options page's example, "2008-10-01_10:10:10", in which ":" cannot stand.
    const QString date = now.date().toString(QStringLiteral("yyyy-MM-dd"));
    const QString time = now.time().toString(QStringLiteral("HH:mm:ss"));
    return FileNameSafe((date + u'_' + time).toStdString());
}

std::string PathInFolder(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

std::string AutomaticSaveFolder(const TSaveSettings& settings) {
    if (!settings.SaveDirectory.empty()) return settings.SaveDirectory;
    // With no folder chosen yet the captures go where the user keeps documents.
    const std::string documents = DocumentsDirectory();
    MakeDirectories(documents);
    return documents;
}

std::string UnusedStem(const std::string& stem, const std::vector<std::string>& extensions) {
    auto taken = [&](const std::string& candidate) {
        for (const std::string& extension : extensions)
            if (Exists(candidate + extension)) return true;
        return false;
    };
    std::string candidate = stem;
    for (int copy = 2; taken(candidate); ++copy)
        candidate = stem + "_" + std::to_string(copy);
    return candidate;
}

std::string NextAutomaticSavePath(const TSaveSettings& settings, const QDateTime& now) {
    const std::string folder = AutomaticSaveFolder(settings);
    const std::string extension = ExtensionOfFormat(settings.FormatIndex);
    if (settings.NameByTime) {
        AdvanceSaveCounter();
        return UnusedStem(PathInFolder(folder, TimeStampName(now)), {extension}) + extension;
    }
    const std::string stem = FileNameSafe(settings.NameTemplate);
    auto numbered = [&] {
        return PathInFolder(folder, stem + std::to_string(SaveCounter) + extension);
    };
    while (Exists(numbered()) && SaveCounter < INT_MAX)
        AdvanceSaveCounter();
    std::string path = numbered();
    AdvanceSaveCounter();
    return path;
}

} // namespace zorvic
