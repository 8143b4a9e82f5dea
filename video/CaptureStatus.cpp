#include "CaptureStatus.h"

#include <cstdio>

namespace zorvic {
namespace {

std::string SecondsText(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", seconds);
    return text;
}

// "共 N 帧，丢弃 D 帧，用时 S 秒"
std::string Totals(const TRecordingProgress& progress) {
    return "共 " + std::to_string(progress.Frames) + " 帧，丢弃 " +
           std::to_string(progress.Dropped) + " 帧，用时 " + SecondsText(progress.Seconds) + " 秒";
}

} // namespace

std::string RecordingBeganText(const std::string& file) {
    return "开始录像：" + file;
}

std::string RecordingProgressText(const TRecordingProgress& progress) {
    // The frame count starts at the 8th character, where the status rule reads it.
    return "正在录像：第 " + std::to_string(progress.Frames) + " 帧，丢弃 " +
           std::to_string(progress.Dropped) + " 帧，用时 " + SecondsText(progress.Seconds) + " 秒";
}

std::string RecordingEndedText(const TRecordingProgress& progress) {
    return "录像结束：" + Totals(progress);
}

std::string LiveModeText(const std::string& driver, TFrameSize size) {
    return "实时预览：" + driver + " " + std::to_string(size.Width) + "x" +
           std::to_string(size.Height);
}

std::string DeviceLostText(const std::string& reason) {
    return "视频设备已断开：" + reason;
}

std::string DeviceLostWhileRecordingText(const TRecordingProgress& progress,
                                         const std::string& file) {
    return "视频设备已断开，录像已结束：" + Totals(progress) + "，已保存到 " + file;
}

std::string RecordingFailedText(const std::string& reason) {
    return "录像写入失败，已停止：" + reason;
}

} // namespace zorvic
