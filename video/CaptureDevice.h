#pragma once
#include "CaptureDrivers.h"
#include "VideoFrame.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace zorvic {

// What the device delivers, for the display dialog and the recorder.
struct TDeviceInfo {
    std::string PixelFormat; // FFmpeg's name for what the device sends
    TFrameSize Size;
    double FramesPerSecond = 0; // 0 when the device does not say
};

// An open capture device. A thread of its own reads and decodes the pictures as they come and
// keeps the newest, which any thread may take.
class TCaptureDevice {
public:
    // Called once, on the reading thread, when the device stops delivering pictures: unplugged,
    // failing, or a source that ends. The text says why.
    using TLostHandler = std::function<void(const std::string& reason)>;
    // Called on the reading thread after each new picture.
    using TArrivalHandler = std::function<void()>;

    // Opens the source (with the format chosen for it, if any) and starts reading; throws
    // EZorvicError with FFmpeg's reason when it cannot be opened.
    TCaptureDevice(const TDriverSource& source, TLostHandler lost, TArrivalHandler arrived);
    ~TCaptureDevice();
    TCaptureDevice(const TCaptureDevice&) = delete;
    TCaptureDevice& operator=(const TCaptureDevice&) = delete;

    const TDriverSource& Source() const;
    TDeviceInfo Info() const;

    // The newest picture; none before the first has arrived.
    TSharedFrame Latest() const;
    // Waits for a picture numbered above `after` (-1: any), for the device to be lost, or for the
    // deadline; gives the newest picture then, possibly none.
    TSharedFrame WaitForFrame(std::int64_t after,
                              std::chrono::steady_clock::time_point deadline) const;
    bool Lost() const;

private:
    struct TImpl;
    std::unique_ptr<TImpl> impl_;
};

} // namespace zorvic
