#pragma once
#include "VideoFrame.h"

#include <memory>
#include <string>

namespace zorvic {

// Reads the pictures of an AVI file's first stream: its length from the stream header, and the
// frames by number. Frame numbers are the stream's time stamps, which in an AVI count frames.
class TAviDecoder {
public:
    // Throws EFileError "Cannot open file "<path>". <reason>" when the file cannot be opened or
    // is no container FFmpeg reads.
    explicit TAviDecoder(const std::string& path);
    ~TAviDecoder();
    TAviDecoder(const TAviDecoder&) = delete;
    TAviDecoder& operator=(const TAviDecoder&) = delete;

    // The length in frames from the first stream's header when that stream is video and the
    // file holds every frame the header promises; -1 for another kind of stream or a file cut
    // short.
    int FrameCount() const;
    double FramesPerSecond() const;

    // Goes to `frame` and gives its picture: the frame itself when `exactly`, else the key
    // frame at or before it. None when the file has no such picture.
    TSharedFrame DecodeAt(int frame, bool exactly);
    // The picture after the last one given; none at the end.
    TSharedFrame DecodeNext();

private:
    struct TImpl;
    std::unique_ptr<TImpl> impl_;
};

} // namespace zorvic
