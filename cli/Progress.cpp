#include "Progress.h"

#include <cstdio>
#include <unistd.h>

namespace zorvic {

ProgressLine::ProgressLine() : enabled_(isatty(STDERR_FILENO) == 1) {}

ProgressLine::~ProgressLine() {
    Clear();
}

void ProgressLine::Start(std::string label) {
    label_ = std::move(label);
    maximum_ = 0;
    percent_ = -1;
    Draw();
}

void ProgressLine::SetMax(int maximum) {
    maximum_ = maximum;
}

void ProgressLine::SetPosition(int position) {
    if (maximum_ <= 0) return;
    const int percent = static_cast<int>(100LL * position / maximum_);
    // Routines report every row; the terminal only needs a new line when the figure changes.
    if (percent == percent_) return;
    percent_ = percent;
    Draw();
}

void ProgressLine::Draw() {
    if (!enabled_) return;
    if (percent_ >= 0)
        std::fprintf(stderr, "\r\033[Kzorvic-cli: %s %d%%", label_.c_str(), percent_);
    else
        std::fprintf(stderr, "\r\033[Kzorvic-cli: %s ...", label_.c_str());
    std::fflush(stderr);
    shown_ = true;
}

void ProgressLine::Clear() {
    if (!shown_) return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    shown_ = false;
}

} // namespace zorvic
