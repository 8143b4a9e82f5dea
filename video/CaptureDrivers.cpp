#include "CaptureDrivers.h"

#include "V4l2Device.h"

#include <cstdlib>
#include <cstring>
#include <map>

namespace zorvic {
namespace {

TDriverTable& ReplacedTable() {
    static TDriverTable table;
    return table;
}

std::map<std::string, TFormatChoice>& Choices() {
    static std::map<std::string, TFormatChoice> choices;
    return choices;
}

bool TestCameraWanted() {
    const char* value = std::getenv("ZORVIC_TEST_CAMERA");
    return value && std::strcmp(value, "1") == 0;
}

} // namespace

TDriverSource TestPatternDriver() {
    return {"Test pattern", TDriverSource::TKind::FilterGraph,
            "testsrc2=size=640x480:rate=25,realtime"};
}

std::optional<TDriverSource> CaptureDriverAt(unsigned index) {
    if (index >= kDriverIndexCount) return std::nullopt;
    if (ReplacedTable()) return ReplacedTable()(index);
    if (index == 0 && TestCameraWanted()) return TestPatternDriver();
    const std::string node = "/dev/video" + std::to_string(index);
    const std::optional<std::string> card = V4l2CaptureCardName(node);
    if (!card) return std::nullopt;
    return TDriverSource{*card, TDriverSource::TKind::V4l2Device, node};
}

void SetCaptureDriverTable(TDriverTable table) {
    ReplacedTable() = std::move(table);
}

TFormatChoice ChosenFormat(const std::string& input) {
    const auto found = Choices().find(input);
    return found == Choices().end() ? TFormatChoice{} : found->second;
}

void ChooseFormat(const std::string& input, const TFormatChoice& choice) {
    Choices()[input] = choice;
}

} // namespace zorvic
