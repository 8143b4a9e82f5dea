#pragma once
#include <span>

namespace zorvic {

enum class SynthKey { Control, B };

struct SynthKeyEvent {
    SynthKey Key;
    bool Down;
    friend bool operator==(const SynthKeyEvent&, const SynthKeyEvent&) = default;
};

// Key events sent through the system's input queue, as if typed on the keyboard, so that
// global key grabs see them.
class KeySynthesizer {
public:
    virtual ~KeySynthesizer() = default;
    virtual void Send(std::span<const SynthKeyEvent> events) = 0;
};

// Ctrl down, B down, B up, Ctrl up: a press of the capture hot key.
void SendCaptureHotKey(KeySynthesizer& keys);

} // namespace zorvic
