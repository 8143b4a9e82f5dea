#include "FrameDecoder.h"

#include "Errors.h"
#include "FfmpegSupport.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libswscale/swscale.h>
}

namespace zorvic {

TFrameDecoder::TFrameDecoder(const AVCodecParameters& stream) {
    InitialiseFfmpeg();
    const AVCodec* codec = avcodec_find_decoder(stream.codec_id);
    if (!codec)
        throw EZorvicError("No decoder for " + std::string(avcodec_get_name(stream.codec_id)));
    codec_ = avcodec_alloc_context3(codec);
    decoded_ = av_frame_alloc();
    if (!codec_ || !decoded_ || avcodec_parameters_to_context(codec_, &stream) < 0 ||
        avcodec_open2(codec_, codec, nullptr) < 0) {
        Release();
        throw EZorvicError("Cannot open the decoder for " + std::string(codec->name));
    }
}

TFrameDecoder::~TFrameDecoder() {
    Release();
}

void TFrameDecoder::Release() {
    sws_freeContext(scaler_);
    scaler_ = nullptr;
    av_frame_free(&decoded_);
    avcodec_free_context(&codec_);
}

std::vector<TDecodedFrame> TFrameDecoder::Decode(const AVPacket* packet) {
    std::vector<TDecodedFrame> frames;
    if (avcodec_send_packet(codec_, packet) < 0) return frames;
    while (avcodec_receive_frame(codec_, decoded_) == 0) {
        if (decoded_->width > 0 && decoded_->height > 0) frames.push_back(Convert(*decoded_));
        av_frame_unref(decoded_);
    }
    return frames;
}

void TFrameDecoder::Reset() {
    avcodec_flush_buffers(codec_);
}

TDecodedFrame TFrameDecoder::Convert(const AVFrame& decoded) {
    scaler_ = sws_getCachedContext(
        scaler_, decoded.width, decoded.height, static_cast<AVPixelFormat>(decoded.format),
        decoded.width, decoded.height, AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!scaler_) throw EZorvicError("Cannot convert the video's pictures");
    auto frame = std::make_shared<TVideoFrame>(decoded.width, decoded.height);
    std::uint8_t* planes[1] = {frame->Pixels.data()};
    const int strides[1] = {frame->Stride};
    sws_scale(scaler_, decoded.data, decoded.linesize, 0, decoded.height, planes, strides);
    return {std::move(frame), decoded.best_effort_timestamp};
}

} // namespace zorvic
