#include "IntervalCapture.h"

#include "Errors.h"
#include "FormatConversion.h"
#include "SaveNames.h"

#include <climits>
#include <filesystem>
#include <iterator>

namespace zorvic {
namespace {

constexpr int kUnitFactors[] = {1, 1000, 60000, 3600000, 86400000};

bool Exists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::exists(path, ignored);
}

} // namespace

int IntervalMilliseconds(int value, int unitIndex) {
    if (unitIndex < 0 || unitIndex >= static_cast<int>(std::size(kUnitFactors))) return 0;
    int product = 0;
    if (__builtin_mul_overflow(value, kUnitFactors[unitIndex], &product))
        throw EZorvicError("Integer overflow");
    return product;
}

std::string IntervalPicturePath(const TSaveSettings& settings, int& nextNumber,
                                const QDateTime& now) {
    const std::string folder = AutomaticSaveFolder(settings);
    const std::string extension = ExtensionOfFormat(settings.FormatIndex);
    // Pictures taken within one second go on as "<time>_2" and so on instead of overwriting.
    if (settings.NameByTime)
        return UnusedStem(PathInFolder(folder, TimeStampName(now)), {".bmp", extension}) + ".bmp";
    const std::string stem = PathInFolder(folder, FileNameSafe(settings.NameTemplate));
    auto taken = [&](int number) {
        const std::string path = stem + std::to_string(number);
        return Exists(path + ".bmp") || (!extension.empty() && Exists(path + extension));
    };
    while (taken(nextNumber) && nextNumber < INT_MAX)
        ++nextNumber;
    const std::string path = stem + std::to_string(nextNumber) + ".bmp";
    if (nextNumber < INT_MAX) ++nextNumber;
    return path;
}

std::string WithExtension(const std::string& path, const std::string& extension) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return path + extension;
    return path.substr(0, dot) + extension;
}

std::vector<std::string> IntervalStatistics(int pictures, std::int64_t elapsedMilliseconds) {
    const std::string rule = "-------------------";
    const std::int64_t average = pictures > 0 ? elapsedMilliseconds / pictures : 0;
    return {rule, "输出图片" + std::to_string(pictures) + "张",
            "平均每张耗时" + std::to_string(average),
            "图像采集时间" + std::to_string(elapsedMilliseconds) + "毫秒", rule};
}

} // namespace zorvic
