#pragma once
#include <atomic>

namespace zorvic {

// What the exports and the library's thread share. The exports write the wishes and read or clear
// the flags; the thread follows the wishes and raises the flags.
struct HookFlags {
    std::atomic<bool> hotKeyWanted{false};
    std::atomic<bool> hotKeyPressed{false};
    std::atomic<bool> mouseWanted{false};
    std::atomic<bool> mouseDown{false};
    std::atomic<bool> soundRequested{false};
    std::atomic<bool> stopping{false};
};

} // namespace zorvic
