#include "VideoTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace zorvic::test {
namespace {

std::string Probe(const std::string& entries, const std::string& path, bool count = false) {
    const TCommandResult result =
        Run("ffprobe -v error -select_streams v:0 " + std::string(count ? "-count_frames " : "") +
                "-show_entries stream=" + entries + " -of default=nw=1:nk=1 " + Quoted(path),
            false);
    return result.exitCode == 0 ? result.output : std::string();
}

int FirstNumber(const std::string& text) {
    try {
        return std::stoi(text);
    } catch (const std::exception&) {
        return -1;
    }
}

void RunFfmpeg(const std::string& arguments) {
    const TCommandResult made = Run("ffmpeg -v error -y " + arguments);
    ASSERT_EQ(made.exitCode, 0) << made.output;
}

// ffmpeg's options that pick frame `index` of `clip`.
std::string OneFrame(const std::string& clip, int index) {
    return "-i " + Quoted(clip) + " -vf " + Quoted("select=eq(n\\," + std::to_string(index) + ")") +
           " -frames:v 1 ";
}

} // namespace

std::string FfmpegFrameRgb(const std::string& clip, int index) {
    return Run("ffmpeg -v error " + OneFrame(clip, index) + "-f rawvideo -pix_fmt rgb24 -", false)
        .output;
}

void FfmpegFrameToFile(const std::string& clip, int index, const std::string& picture) {
    RunFfmpeg(OneFrame(clip, index) + Quoted(picture));
}

int DecodedFrameCount(const std::string& path) {
    return FirstNumber(Probe("nb_read_frames", path, true));
}

int HeaderFrameCount(const std::string& path) {
    return FirstNumber(Probe("nb_frames", path));
}

std::string VideoStreamSummary(const std::string& path) {
    std::string summary = Probe("codec_name,width,height,r_frame_rate", path);
    std::replace(summary.begin(), summary.end(), '\n', ' ');
    while (!summary.empty() && summary.back() == ' ')
        summary.pop_back();
    return summary;
}

bool FfmpegDecodesCleanly(const std::string& path) {
    const TCommandResult decoded = Run("ffmpeg -v error -i " + Quoted(path) + " -f null -");
    return decoded.exitCode == 0 && decoded.output.empty();
}

void MakeAvi(const std::string& path, int frames, const std::string& size) {
    RunFfmpeg("-f lavfi -i testsrc2=size=" + size + ":rate=15 -frames:v " + std::to_string(frames) +
              " -c:v mjpeg -q:v 3 " + Quoted(path));
}

void MakeSoundOnlyAvi(const std::string& path) {
    RunFfmpeg("-f lavfi -i sine=duration=1 " + Quoted(path));
}

void CopyTruncated(const std::string& from, const std::string& to, std::size_t bytes) {
    std::vector<std::uint8_t> content = ReadBytes(from);
    ASSERT_GT(content.size(), bytes);
    WriteText(to, std::string(content.begin(), content.begin() + bytes));
}

TCurrentDirectory::TCurrentDirectory(const std::string& folder)
    : previous_(std::filesystem::current_path().string()) {
    std::filesystem::current_path(folder);
}

TCurrentDirectory::~TCurrentDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
}

} // namespace zorvic::test
