#include "AviDecoder.h"

#include "Errors.h"
#include "FfmpegSupport.h"
#include "FrameDecoder.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <deque>

namespace zorvic {

struct TAviDecoder::TImpl {
    AVFormatContext* Input = nullptr;
    AVPacket* Packet = nullptr;
    std::unique_ptr<TFrameDecoder> Decoder; // none when the first stream is no video
    std::deque<TDecodedFrame> Ready;
    bool Drained = false;
    std::int64_t NextNumber = 0; // for a picture without a time stamp

    AVStream& First() const { return *Input->streams[0]; }
    bool IsVideo() const { return First().codecpar->codec_type == AVMEDIA_TYPE_VIDEO; }
};

TAviDecoder::TAviDecoder(const std::string& path) : impl_(std::make_unique<TImpl>()) {
    InitialiseFfmpeg();
    const int opened = avformat_open_input(&impl_->Input, path.c_str(), nullptr, nullptr);
    const bool empty = opened >= 0 && impl_->Input->nb_streams == 0;
    if (opened < 0 || empty) {
        avformat_close_input(&impl_->Input);
        throw EFileError(FormatMessage("Cannot open file \"%s\". %s",
                                       {path, empty ? "No streams" : FfmpegErrorText(opened)}));
    }
    impl_->Packet = av_packet_alloc();
    if (impl_->IsVideo()) {
        try {
            impl_->Decoder = std::make_unique<TFrameDecoder>(*impl_->First().codecpar);
        } catch (const EZorvicError&) {
            // A video FFmpeg cannot decode has a length but no pictures.
        }
    }
}

TAviDecoder::~TAviDecoder() {
    impl_->Decoder.reset();
    av_packet_free(&impl_->Packet);
    avformat_close_input(&impl_->Input);
}

int TAviDecoder::FrameCount() const {
    if (!impl_->IsVideo()) return -1;
    const AVStream& stream = impl_->First();
    // A file cut short keeps the length its header promised but lost its index.
    if (avformat_index_get_entries_count(&stream) < stream.nb_frames) return -1;
    return static_cast<int>(stream.nb_frames);
}

double TAviDecoder::FramesPerSecond() const {
    const AVStream& stream = impl_->First();
    if (stream.avg_frame_rate.num > 0 && stream.avg_frame_rate.den > 0)
        return av_q2d(stream.avg_frame_rate);
    return stream.time_base.num > 0 ? 1 / av_q2d(stream.time_base) : 0;
}

TSharedFrame TAviDecoder::DecodeAt(int frame, bool exactly) {
    TImpl& self = *impl_;
    if (!self.Decoder || frame < 0) return nullptr;
    if (av_seek_frame(self.Input, 0, frame, AVSEEK_FLAG_BACKWARD) < 0) return nullptr;
    self.Decoder->Reset();
    self.Ready.clear();
    self.Drained = false;
    while (TSharedFrame picture = DecodeNext())
        if (!exactly || picture->Number >= frame) return picture;
    return nullptr;
}

TSharedFrame TAviDecoder::DecodeNext() {
    TImpl& self = *impl_;
    if (!self.Decoder) return nullptr;
    while (self.Ready.empty() && !self.Drained) {
        const int result = av_read_frame(self.Input, self.Packet);
        if (result < 0) {
            self.Drained = true;
            for (TDecodedFrame& last : self.Decoder->Decode(nullptr))
                self.Ready.push_back(std::move(last));
            break;
        }
        if (self.Packet->stream_index == 0)
            for (TDecodedFrame& decoded : self.Decoder->Decode(self.Packet))
                self.Ready.push_back(std::move(decoded));
        av_packet_unref(self.Packet);
    }
    if (self.Ready.empty()) return nullptr;
    TDecodedFrame next = std::move(self.Ready.front());
    self.Ready.pop_front();
    next.Frame->Number = next.Timestamp == AV_NOPTS_VALUE ? self.NextNumber : next.Timestamp;
    self.NextNumber = next.Frame->Number + 1;
    return std::move(next.Frame);
}

} // namespace zorvic
