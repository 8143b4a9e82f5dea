#pragma once
#include <chrono>
#include <functional>

namespace zorvic::testing {

// Points DISPLAY at an Xvfb of this test process's own, started on the first call. Grabs and
// synthesised input must not meet those of tests running in parallel on a shared server. The
// server is stopped by the kernel when the process ends, after every connection to it has closed.
void UsePrivateXServer();

// Polls `condition` until it holds or `timeout` passes; for events that arrive asynchronously.
bool Eventually(const std::function<bool()>& condition,
                std::chrono::milliseconds timeout = std::chrono::seconds(5));

} // namespace zorvic::testing
