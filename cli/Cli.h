#pragma once

namespace zorvic {

// The whole of zorvic-cli: parses the arguments, runs the verb, reports any failure as one line
// on stderr and returns the exit status.
int RunCli(int argc, char** argv);

} // namespace zorvic
