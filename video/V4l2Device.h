#pragma once
#include "DeviceSettings.h"

#include <optional>
#include <string>
#include <vector>

namespace zorvic {

// Questions put straight to a V4L2 device node ("/dev/video0") through its ioctls, beside the
// FFmpeg input that reads its pictures.

// The card name when the node is a device that captures video; nothing otherwise (no such node,
// no permission, or a node for metadata or output only).
std::optional<std::string> V4l2CaptureCardName(const std::string& node);

// The user controls, with their current values; disabled and read-only ones are left out.
std::vector<TDeviceControl> V4l2Controls(const std::string& node);

// The pixel formats FFmpeg can read from the device, each with its discrete picture sizes.
std::vector<TDeviceFormat> V4l2Formats(const std::string& node);

// Sets one control; throws EZorvicError with the driver's reason when it refuses.
void SetV4l2Control(const std::string& node, unsigned id, int value);

} // namespace zorvic
