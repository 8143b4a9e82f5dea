#pragma once
#include "FakeDesktop.h"

#include <string>

namespace zorvic::testing {

// The in-memory desktop every test of this program runs on.
FakeDesktop& TestDesktop();

// The private folder that stands in for the home of this test program.
const std::string& SandboxRoot();
// A new empty folder in the sandbox, named after the running test.
std::string MakeTestFolder();

} // namespace zorvic::testing
