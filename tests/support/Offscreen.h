#pragma once

namespace zorvic::testing {

// For a test program that needs no X server: Qt draws offscreen, and there is no display at all,
// so that anything reaching for one fails here instead of using the developer's desktop or the
// suite's server. Call before the Qt application is made.
void RunOffscreen();

} // namespace zorvic::testing
