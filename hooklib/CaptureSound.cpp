#include "CaptureSound.h"
#include <canberra.h>
#include <cstdarg>
// alsa/error.h declares snd_lib_error_set_local outside its extern "C" block.
extern "C" {
#include <alsa/error.h>
}

namespace zorvic {
namespace {

void IgnoreAlsaError(const char*, int, const char*, int, const char*, va_list) {}

} // namespace

CaptureSound::CaptureSound() {
    // Without a sound card ALSA prints its failures to stderr; a missing device must stay silent.
    // The handler is this thread's own, so the rest of the process keeps ALSA's messages.
    snd_lib_error_set_local(&IgnoreAlsaError);
}

CaptureSound::~CaptureSound() {
    if (context_) ca_context_destroy(context_);
}

void CaptureSound::Play() {
    if (!context_ && ca_context_create(&context_) != CA_SUCCESS) {
        context_ = nullptr;
        return;
    }
    ca_context_play(context_, 0, CA_PROP_EVENT_ID, "screen-capture", CA_PROP_EVENT_DESCRIPTION,
                    "捕捉完成", CA_PROP_APPLICATION_NAME, "Zorvic", nullptr);
}

} // namespace zorvic
