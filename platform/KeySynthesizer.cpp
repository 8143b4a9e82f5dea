#include "KeySynthesizer.h"

namespace zorvic {

void SendCaptureHotKey(KeySynthesizer& keys) {
    static constexpr SynthKeyEvent kPress[] = {{SynthKey::Control, true},
                                               {SynthKey::B, true},
                                               {SynthKey::B, false},
                                               {SynthKey::Control, false}};
    keys.Send(kPress);
}

} // namespace zorvic
