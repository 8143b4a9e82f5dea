#pragma once
#include <string>
#include <utility>
#include <vector>

namespace zorvic {

// What a capture device lets the user set, as its driver describes it.

// One adjustable quantity of the picture (brightness, contrast, white balance ...).
struct TDeviceControl {
    enum class TKind { Integer, Boolean, Menu, Button };
    unsigned Id = 0;
    std::string Name;
    TKind Kind = TKind::Integer;
    int Minimum = 0;
    int Maximum = 0;
    int Step = 1;
    int Default = 0;
    int Value = 0;
    std::vector<std::pair<int, std::string>> MenuItems; // value and name, for menus
};

struct TFrameSize {
    int Width = 0;
    int Height = 0;
    bool operator==(const TFrameSize&) const = default;
};

// A pixel format the device delivers, with the picture sizes it offers in it.
struct TDeviceFormat {
    std::string FfmpegName;  // how FFmpeg's device input names it: "mjpeg", "yuyv422" ...
    std::string Description; // the driver's name for it
    std::vector<TFrameSize> Sizes;
};

// The format and size the device is opened with; an empty name keeps the driver's current one.
struct TFormatChoice {
    std::string FfmpegName;
    TFrameSize Size;
    bool operator==(const TFormatChoice&) const = default;
};

// How many format-and-size choices a list offers.
inline int ChoiceCount(const std::vector<TDeviceFormat>& formats) {
    int count = 0;
    for (const TDeviceFormat& format : formats)
        count += static_cast<int>(format.Sizes.size());
    return count;
}

} // namespace zorvic
