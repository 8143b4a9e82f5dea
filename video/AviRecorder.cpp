#include "AviRecorder.h"

#include "Errors.h"
#include "FfmpegSupport.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace zorvic {

namespace {
// Motion-JPEG quantiser: 2 is near lossless, 31 the coarsest; 3 keeps a webcam's detail.
constexpr int kQuantiser = 3;
} // namespace

struct TAviRecorder::TImpl {
    std::string Path;
    AVFormatContext* Output = nullptr;
    AVCodecContext* Encoder = nullptr;
    AVStream* Stream = nullptr;
    AVFrame* Picture = nullptr;
    AVPacket* Packet = nullptr;
    SwsContext* Scaler = nullptr;
    std::int64_t Written = 0;
    bool Finished = false;

    void Create(int width, int height, AVRational rate);
    void Send(const AVFrame* picture);
    [[noreturn]] void FailWriting(int code) const {
        throw EFileError(
            FormatMessage("Cannot write file \"%s\". %s", {Path, FfmpegErrorText(code)}));
    }
    void Release();
};

void TAviRecorder::TImpl::Create(int width, int height, AVRational rate) {
    InitialiseFfmpeg();
    auto failCreating = [&](int code) {
        throw EFileError(
            FormatMessage("Cannot create file \"%s\". %s", {Path, FfmpegErrorText(code)}));
    };
    int result = avformat_alloc_output_context2(&Output, nullptr, "avi", Path.c_str());
    if (result < 0) failCreating(result);
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MJPEG);
    if (!codec) failCreating(AVERROR_ENCODER_NOT_FOUND);
    Encoder = avcodec_alloc_context3(codec);
    Encoder->width = width;
    Encoder->height = height;
    Encoder->pix_fmt = AV_PIX_FMT_YUVJ420P;
    Encoder->color_range = AVCOL_RANGE_JPEG;
    Encoder->time_base = av_inv_q(rate);
    Encoder->framerate = rate;
    Encoder->flags |= AV_CODEC_FLAG_QSCALE;
    Encoder->global_quality = FF_QP2LAMBDA * kQuantiser;
    if ((result = avcodec_open2(Encoder, codec, nullptr)) < 0) failCreating(result);

    Stream = avformat_new_stream(Output, nullptr);
    avcodec_parameters_from_context(Stream->codecpar, Encoder);
    Stream->time_base = Encoder->time_base;
    Stream->avg_frame_rate = rate;
    if ((result = avio_open(&Output->pb, Path.c_str(), AVIO_FLAG_WRITE)) < 0) failCreating(result);
    if ((result = avformat_write_header(Output, nullptr)) < 0) failCreating(result);

    Picture = av_frame_alloc();
    Picture->format = Encoder->pix_fmt;
    Picture->width = width;
    Picture->height = height;
    Picture->color_range = AVCOL_RANGE_JPEG;
    Packet = av_packet_alloc();
    if ((result = av_frame_get_buffer(Picture, 0)) < 0) failCreating(result);
}

// Encodes one picture (none: the end) and writes the packets that are ready.
void TAviRecorder::TImpl::Send(const AVFrame* picture) {
    int result = avcodec_send_frame(Encoder, picture);
    if (result < 0) FailWriting(result);
    while ((result = avcodec_receive_packet(Encoder, Packet)) == 0) {
        av_packet_rescale_ts(Packet, Encoder->time_base, Stream->time_base);
        Packet->stream_index = Stream->index;
        if ((result = av_interleaved_write_frame(Output, Packet)) < 0) FailWriting(result);
    }
    if (result != AVERROR(EAGAIN) && result != AVERROR_EOF) FailWriting(result);
    if (Output->pb->error < 0) FailWriting(Output->pb->error);
}

void TAviRecorder::TImpl::Release() {
    sws_freeContext(Scaler);
    Scaler = nullptr;
    av_packet_free(&Packet);
    av_frame_free(&Picture);
    avcodec_free_context(&Encoder);
    if (Output) {
        avio_closep(&Output->pb);
        avformat_free_context(Output);
        Output = nullptr;
    }
}

TAviRecorder::TAviRecorder(const std::string& path, int width, int height, int rateNumerator,
                           int rateDenominator)
    : impl_(std::make_unique<TImpl>()) {
    impl_->Path = path;
    try {
        impl_->Create(width, height, AVRational{rateNumerator, rateDenominator});
    } catch (...) {
        impl_->Release();
        throw;
    }
}

TAviRecorder::~TAviRecorder() {
    try {
        Finish();
    } catch (const EZorvicError&) {
        // A destructor cannot report; a failing disk has already been reported by Write.
    }
    impl_->Release();
}

void TAviRecorder::Write(const TVideoFrame& frame) {
    TImpl& self = *impl_;
    self.Scaler = sws_getCachedContext(
        self.Scaler, frame.Width, frame.Height, AV_PIX_FMT_BGRA, self.Picture->width,
        self.Picture->height, AV_PIX_FMT_YUVJ420P, SWS_BILINEAR, nullptr, nullptr, nullptr);
    int result = av_frame_make_writable(self.Picture);
    if (!self.Scaler || result < 0) self.FailWriting(result < 0 ? result : AVERROR(EINVAL));
    const std::uint8_t* source[1] = {frame.Pixels.data()};
    const int stride[1] = {frame.Stride};
    sws_scale(self.Scaler, source, stride, 0, frame.Height, self.Picture->data,
              self.Picture->linesize);
    self.Picture->pts = self.Written;
    self.Send(self.Picture);
    ++self.Written;
}

void TAviRecorder::Finish() {
    TImpl& self = *impl_;
    if (self.Finished) return;
    self.Finished = true;
    self.Send(nullptr);
    const int result = av_write_trailer(self.Output);
    if (result < 0) self.FailWriting(result);
    if (self.Output->pb->error < 0) self.FailWriting(self.Output->pb->error);
    avio_closep(&self.Output->pb);
}

std::int64_t TAviRecorder::FramesWritten() const {
    return impl_->Written;
}

const std::string& TAviRecorder::Path() const {
    return impl_->Path;
}

} // namespace zorvic
