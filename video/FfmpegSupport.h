#pragma once
#include <string>

namespace zorvic {

// Registers FFmpeg's input devices and keeps its own log quiet (this layer reports failures
// itself); safe to call any number of times from any thread.
void InitialiseFfmpeg();

// FFmpeg's text for one of its error codes.
std::string FfmpegErrorText(int code);

} // namespace zorvic
