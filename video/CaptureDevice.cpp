#include "CaptureDevice.h"

#include "Errors.h"
#include "FfmpegSupport.h"
#include "FrameDecoder.h"

extern "C" {
#include <libavdevice/avdevice.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
#include <libavutil/pixdesc.h>
}

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace zorvic {

struct TCaptureDevice::TImpl {
    TDriverSource Source;
    TLostHandler LostHandler;
    TArrivalHandler ArrivalHandler;
    AVFormatContext* Input = nullptr;
    int StreamIndex = -1;
    std::unique_ptr<TFrameDecoder> Decoder;
    TDeviceInfo Info;

    std::atomic<bool> Stopping{false};
    mutable std::mutex Guard;
    mutable std::condition_variable Changed;
    TSharedFrame Newest;
    bool IsLost = false;
    std::int64_t Count = 0;
    std::thread Reader;

    void Open();
    void Read();
    void Publish(std::shared_ptr<TVideoFrame> frame);
    void MarkLost(const std::string& reason);
};

namespace {

// The options of FFmpeg's V4L2 input for a chosen format; none keeps the driver's current one.
AVDictionary* FormatOptions(const TFormatChoice& choice) {
    AVDictionary* options = nullptr;
    if (choice.FfmpegName.empty()) return options;
    av_dict_set(&options, "input_format", choice.FfmpegName.c_str(), 0);
    const std::string size =
        std::to_string(choice.Size.Width) + "x" + std::to_string(choice.Size.Height);
    av_dict_set(&options, "video_size", size.c_str(), 0);
    return options;
}

std::string PixelFormatName(const AVCodecParameters& stream) {
    if (stream.codec_id != AV_CODEC_ID_RAWVIDEO) return avcodec_get_name(stream.codec_id);
    const char* name = av_get_pix_fmt_name(static_cast<AVPixelFormat>(stream.format));
    return name ? name : "?";
}

// A device input that states no frame rate has one frame per tick of its time base.
double FramesPerSecond(const AVStream& stream) {
    if (stream.avg_frame_rate.num > 0 && stream.avg_frame_rate.den > 0)
        return av_q2d(stream.avg_frame_rate);
    if (stream.time_base.num > 0 && stream.time_base.den > 0) return 1 / av_q2d(stream.time_base);
    return 0;
}

} // namespace

void TCaptureDevice::TImpl::Open() {
    InitialiseFfmpeg();
    const bool v4l2 = Source.Kind == TDriverSource::TKind::V4l2Device;
    const AVInputFormat* format = av_find_input_format(v4l2 ? "video4linux2" : "lavfi");
    AVDictionary* options = v4l2 ? FormatOptions(ChosenFormat(Source.Input)) : nullptr;
    Input = avformat_alloc_context();
    Input->interrupt_callback = {
        [](void* stopping) -> int { return static_cast<std::atomic<bool>*>(stopping)->load(); },
        &Stopping};
    const int opened = avformat_open_input(&Input, Source.Input.c_str(), format, &options);
    av_dict_free(&options);
    if (opened < 0) throw EZorvicError(Source.Input + ": " + FfmpegErrorText(opened));
    StreamIndex = av_find_best_stream(Input, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (StreamIndex < 0) throw EZorvicError(Source.Input + ": no video");
    const AVStream& stream = *Input->streams[StreamIndex];
    Decoder = std::make_unique<TFrameDecoder>(*stream.codecpar);
    Info = {PixelFormatName(*stream.codecpar),
            {stream.codecpar->width, stream.codecpar->height},
            FramesPerSecond(stream)};
}

void TCaptureDevice::TImpl::Read() {
    AVPacket* packet = av_packet_alloc();
    while (!Stopping) {
        const int result = av_read_frame(Input, packet);
        if (result == AVERROR(EAGAIN)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            continue;
        }
        if (result < 0) {
            if (!Stopping) MarkLost(result == AVERROR_EOF ? "画面已结束" : FfmpegErrorText(result));
            break;
        }
        if (packet->stream_index == StreamIndex)
            for (TDecodedFrame& decoded : Decoder->Decode(packet))
                Publish(std::move(decoded.Frame));
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
}

void TCaptureDevice::TImpl::Publish(std::shared_ptr<TVideoFrame> frame) {
    {
        std::lock_guard lock(Guard);
        frame->Number = Count++;
        Newest = std::move(frame);
    }
    Changed.notify_all();
    if (ArrivalHandler) ArrivalHandler();
}

void TCaptureDevice::TImpl::MarkLost(const std::string& reason) {
    {
        std::lock_guard lock(Guard);
        IsLost = true;
    }
    Changed.notify_all();
    if (LostHandler) LostHandler(reason);
}

TCaptureDevice::TCaptureDevice(const TDriverSource& source, TLostHandler lost,
                               TArrivalHandler arrived)
    : impl_(std::make_unique<TImpl>()) {
    impl_->Source = source;
    impl_->LostHandler = std::move(lost);
    impl_->ArrivalHandler = std::move(arrived);
    try {
        impl_->Open();
    } catch (...) {
        impl_->Decoder.reset();
        avformat_close_input(&impl_->Input);
        throw;
    }
    impl_->Reader = std::thread([impl = impl_.get()] { impl->Read(); });
}

TCaptureDevice::~TCaptureDevice() {
    impl_->Stopping = true;
    impl_->Reader.join();
    impl_->Decoder.reset();
    avformat_close_input(&impl_->Input);
}

const TDriverSource& TCaptureDevice::Source() const {
    return impl_->Source;
}

TDeviceInfo TCaptureDevice::Info() const {
    return impl_->Info;
}

TSharedFrame TCaptureDevice::Latest() const {
    std::lock_guard lock(impl_->Guard);
    return impl_->Newest;
}

TSharedFrame TCaptureDevice::WaitForFrame(std::int64_t after,
                                          std::chrono::steady_clock::time_point deadline) const {
    std::unique_lock lock(impl_->Guard);
    impl_->Changed.wait_until(lock, deadline, [&] {
        return impl_->IsLost || (impl_->Newest && impl_->Newest->Number > after);
    });
    return impl_->Newest;
}

bool TCaptureDevice::Lost() const {
    std::lock_guard lock(impl_->Guard);
    return impl_->IsLost;
}

} // namespace zorvic
