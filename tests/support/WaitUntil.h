#pragma once
#include <chrono>
#include <functional>

namespace zorvic::testing {

// Polls until the condition holds, for what another process or thread brings about; false once
// the deadline has passed without it. A costly look is polled less often.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(5),
               std::chrono::milliseconds pollEvery = std::chrono::milliseconds(5));

} // namespace zorvic::testing
