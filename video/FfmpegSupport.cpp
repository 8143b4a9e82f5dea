#include "FfmpegSupport.h"

extern "C" {
#include <libavdevice/avdevice.h>
#include <libavutil/error.h>
#include <libavutil/log.h>
}

#include <mutex>

namespace zorvic {

void InitialiseFfmpeg() {
    static std::once_flag once;
    std::call_once(once, [] {
        av_log_set_level(AV_LOG_FATAL);
        avdevice_register_all();
    });
}

std::string FfmpegErrorText(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

} // namespace zorvic
