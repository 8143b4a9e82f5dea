#pragma once
#include "DeviceSettings.h"

#include <cstdint>
#include <string>

namespace zorvic {

// The texts of the capture window's status reports (their ids and forms are listed in AviCap.h).

struct TRecordingProgress {
    std::int64_t Frames = 0;  // written to the file
    std::int64_t Dropped = 0; // late or not kept
    double Seconds = 0;       // of video written
};

std::string RecordingBeganText(const std::string& file);
std::string RecordingProgressText(const TRecordingProgress& progress);
std::string RecordingEndedText(const TRecordingProgress& progress);
std::string LiveModeText(const std::string& driver, TFrameSize size);
std::string DeviceLostText(const std::string& reason);
std::string DeviceLostWhileRecordingText(const TRecordingProgress& progress,
                                         const std::string& file);
std::string RecordingFailedText(const std::string& reason);

} // namespace zorvic
