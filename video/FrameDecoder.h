#pragma once
#include "VideoFrame.h"

#include <cstdint>
#include <memory>
#include <vector>

struct AVCodecContext;
struct AVCodecParameters;
struct AVFrame;
struct AVPacket;
struct SwsContext;

namespace zorvic {

// A decoded picture with its time stamp in the stream's time base.
struct TDecodedFrame {
    std::shared_ptr<TVideoFrame> Frame;
    std::int64_t Timestamp = 0;
};

// Decodes the packets of one video stream, whatever its codec, into 32-bit frames.
class TFrameDecoder {
public:
    // Throws EZorvicError when FFmpeg has no decoder for the stream.
    explicit TFrameDecoder(const AVCodecParameters& stream);
    ~TFrameDecoder();
    TFrameDecoder(const TFrameDecoder&) = delete;
    TFrameDecoder& operator=(const TFrameDecoder&) = delete;

    // Feeds one packet (none: the stream ended, give back what is held) and returns the pictures
    // it completes. A damaged packet gives no picture rather than an error.
    std::vector<TDecodedFrame> Decode(const AVPacket* packet);
    // Forgets pictures in progress, after a seek.
    void Reset();

private:
    void Release();
    TDecodedFrame Convert(const AVFrame& decoded);

    AVCodecContext* codec_ = nullptr;
    AVFrame* decoded_ = nullptr;
    SwsContext* scaler_ = nullptr;
};

} // namespace zorvic
