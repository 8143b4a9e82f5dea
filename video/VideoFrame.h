#pragma once
#include "TBitmap.h"

#include <QImage>

#include <cstdint>
#include <memory>
#include <vector>

namespace zorvic {

// One picture from a capture device or a video file, as 32-bit pixels (blue, green, red and a
// spare byte, top row first): the form the preview paints, the recorder encodes and a grab saves.
// A published frame is never changed, so threads share it through a shared pointer.
struct TVideoFrame {
    int Width = 0;
    int Height = 0;
    int Stride = 0; // bytes per row
    std::vector<std::uint8_t> Pixels;
    std::int64_t Number = 0; // counts the frames of one device or file from 0

    TVideoFrame(int width, int height);
    std::uint8_t* Row(int y) { return Pixels.data() + static_cast<std::size_t>(y) * Stride; }
    const std::uint8_t* Row(int y) const {
        return Pixels.data() + static_cast<std::size_t>(y) * Stride;
    }
};

using TSharedFrame = std::shared_ptr<const TVideoFrame>;

// The frame as a QImage without copying; valid while the frame lives.
QImage FrameImage(const TVideoFrame& frame);

// The frame as a 24-bit bitmap, the form grabs are saved in.
TBitmap FrameBitmap(const TVideoFrame& frame);

} // namespace zorvic
