#pragma once
// Independent readers and makers of video files for the camera's tests: FFmpeg's own command-line
// tools, never the code under test.

#include "FormatsTestSupport.h"

#include <string>

namespace zorvic::test {

// The frames ffprobe decodes from the file's video stream; -1 when it cannot read the file.
int DecodedFrameCount(const std::string& path);
// The length the video stream's header states, as ffprobe reads it; -1 when it cannot.
int HeaderFrameCount(const std::string& path);
// ffprobe's "codec width height rate" of the first video stream, e.g. "mjpeg 640 480 15/1".
std::string VideoStreamSummary(const std::string& path);
// ffmpeg decodes the whole file without reporting an error.
bool FfmpegDecodesCleanly(const std::string& path);
// Frame `index` of a clip as ffmpeg decodes it: as RGB bytes, or written to a picture file.
std::string FfmpegFrameRgb(const std::string& clip, int index);
void FfmpegFrameToFile(const std::string& clip, int index, const std::string& picture);
// An AVI of `frames` Motion-JPEG frames of FFmpeg's test picture at 15 frames a second, made by
// ffmpeg itself.
void MakeAvi(const std::string& path, int frames, const std::string& size = "320x240");
// An AVI holding one second of sound and no video.
void MakeSoundOnlyAvi(const std::string& path);
// The first `bytes` bytes of a file, as a file cut short in the writing.
void CopyTruncated(const std::string& from, const std::string& to, std::size_t bytes);

// Makes a folder the current directory while it lives: the camera's clip and grab files go there.
class TCurrentDirectory {
public:
    explicit TCurrentDirectory(const std::string& folder);
    ~TCurrentDirectory();
    TCurrentDirectory(const TCurrentDirectory&) = delete;
    TCurrentDirectory& operator=(const TCurrentDirectory&) = delete;

private:
    std::string previous_;
};

} // namespace zorvic::test
