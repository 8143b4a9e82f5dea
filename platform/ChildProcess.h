#pragma once
#include <chrono>
#include <string>
#include <vector>

namespace zorvic {

struct ProgramResult {
    // The exit status; -1 when the program could not start, died of a signal or ran too long.
    int ExitCode = -1;
    std::string Output;
};

// Whether a program of that name is found on $PATH.
bool ProgramOnPath(const std::string& name);

// Runs a program found on $PATH with exactly these arguments (no shell sees them), with no
// input and its errors discarded, and collects its standard output. One that runs longer than
// the timeout is killed.
ProgramResult RunProgram(const std::vector<std::string>& argv,
                         std::chrono::milliseconds timeout = std::chrono::seconds(5));

} // namespace zorvic
