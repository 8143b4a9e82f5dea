#include "WaitUntil.h"

#include <thread>

namespace zorvic::testing {

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
               std::chrono::milliseconds pollEvery) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(pollEvery);
    }
    return true;
}

} // namespace zorvic::testing
