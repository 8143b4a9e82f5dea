#include "VideoFrame.h"

namespace zorvic {

TVideoFrame::TVideoFrame(int width, int height)
    : Width(width), Height(height), Stride(width * 4),
      Pixels(static_cast<std::size_t>(width) * 4 * height) {}

QImage FrameImage(const TVideoFrame& frame) {
    return QImage(frame.Pixels.data(), frame.Width, frame.Height, frame.Stride,
                  QImage::Format_RGB32);
}

TBitmap FrameBitmap(const TVideoFrame& frame) {
    TBitmap bitmap = TBitmap::WithoutFill(frame.Width, frame.Height, TPixelFormat::pf24bit);
    for (int y = 0; y < frame.Height; ++y) {
        const std::uint8_t* from = frame.Row(y);
        std::uint8_t* to = bitmap.ScanLine(y);
        for (int x = 0; x < frame.Width; ++x, from += 4, to += 3) {
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
        }
    }
    return bitmap;
}

} // namespace zorvic
