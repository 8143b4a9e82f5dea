#include "StartupSteps.h"

#include "MessageBoxes.h"

#include <exception>

namespace zorvic {

void TStartupSteps::Run(const std::function<void()>& step) {
    try {
        step();
    } catch (const std::exception& error) {
        problems_.push_back(error.what());
    }
}

void TStartupSteps::ReportProblems() const {
    if (problems_.empty()) return;
    std::string text;
    for (const std::string& problem : problems_)
        text += (text.empty() ? "" : "\n") + problem;
    ShowMessage(text);
}

} // namespace zorvic
