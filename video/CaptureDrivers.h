#pragma once
#include "DeviceSettings.h"

#include <functional>
#include <optional>
#include <string>

namespace zorvic {

// Where a capture driver's pictures come from.
struct TDriverSource {
    enum class TKind { V4l2Device, FilterGraph };
    std::string Description; // the card name, or "Test pattern"
    TKind Kind = TKind::V4l2Device;
    std::string Input; // the device node, or the FFmpeg filter graph that draws the pictures
};

// The drivers are indexed 0 to 9: index i is the video capture device /dev/video<i>. With
// ZORVIC_TEST_CAMERA=1 in the environment, index 0 is the test pattern instead.
constexpr unsigned kDriverIndexCount = 10;
std::optional<TDriverSource> CaptureDriverAt(unsigned index);

// FFmpeg's "testsrc2" at 640x480 and 25 frames a second, paced in real time: a camera that
// needs no hardware.
TDriverSource TestPatternDriver();

// Replaces the table of drivers (tests); an empty function brings the real one back.
using TDriverTable = std::function<std::optional<TDriverSource>(unsigned index)>;
void SetCaptureDriverTable(TDriverTable table);

// The format and size chosen for a device in its format dialog, kept for the whole run so that
// every later connection opens the device with it.
TFormatChoice ChosenFormat(const std::string& input);
void ChooseFormat(const std::string& input, const TFormatChoice& choice);

} // namespace zorvic
