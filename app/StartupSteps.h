#pragma once
#include <functional>
#include <string>
#include <vector>

namespace zorvic {

// Runs the steps of start-up so that a step that fails (a stored number that is not a number, a
// settings file that cannot be written) is skipped and remembered instead of ending start-up
// half done; the user hears about all of them in one message box at the end.
class TStartupSteps {
public:
    void Run(const std::function<void()>& step);
    void ReportProblems() const;

private:
    std::vector<std::string> problems_;
};

} // namespace zorvic
