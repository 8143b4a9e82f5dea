#pragma once

struct ca_context;

namespace zorvic {

// The desktop's "screen-capture" event sound. Lives on the library's thread: opening the sound
// system may take a while, and the caller of PlayVoice must not wait for it.
class CaptureSound {
public:
    CaptureSound();
    ~CaptureSound();
    CaptureSound(const CaptureSound&) = delete;
    CaptureSound& operator=(const CaptureSound&) = delete;

    // Starts the sound and returns while it plays. Any failure (no device, no theme) is silent.
    void Play();

private:
    ca_context* context_ = nullptr;
};

} // namespace zorvic
