#include "SaveNames.h"

#include "ConfigPaths.h"
#include "FormatConversion.h"

#include <climits>
#include <filesystem>

namespace zorvic {

int SaveCounter = 1;

namespace {

// The locale's long time format without its time-zone field ("t"), which a file name does not
// need: "h:mm:ss AP t" becomes "h:mm:ss AP". Quoted literals are kept as they are.
QString LongTimeFormatWithoutZone(const QLocale& locale) {
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString kept;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'') quoted = !quoted;
        if (!quoted && c == u't') continue;
        kept += c;
    }
    return kept.trimmed();
}

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

std::string TimeStampName(const QDateTime& now, const QLocale& locale) {
    const QString date = locale.toString(now.date(), QLocale::ShortFormat);
    const QString time = locale.toString(now.time(), LongTimeFormatWithoutZone(locale));
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

std::string NextAutomaticSavePath(const TSaveSettings& settings, const QDateTime& now,
                                  const QLocale& locale) {
    const std::string folder = AutomaticSaveFolder(settings);
    const std::string extension = ExtensionOfFormat(settings.FormatIndex);
    if (settings.NameByTime) {
        AdvanceSaveCounter();
        return PathInFolder(folder, TimeStampName(now, locale) + extension);
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
