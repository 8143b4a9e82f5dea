#pragma once
#include "PixelHelpers.h"

#include <string>

namespace zorvic {

// A single status line on stderr, rewritten in place, for steps that take long on big pictures.
// It shows only when stderr is a terminal, so scripts and logs see nothing but errors. As a
// TProgress it adds the percentage the running routine reports.
class ProgressLine final : public TProgress {
public:
    ProgressLine();
    ~ProgressLine() override;
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    bool Enabled() const { return enabled_; }
    void Start(std::string label);
    void SetMax(int maximum) override;
    void SetPosition(int position) override;
    void Clear();

private:
    void Draw();

    bool enabled_;
    bool shown_ = false;
    std::string label_;
    int maximum_ = 0;
    int percent_ = -1;
};

} // namespace zorvic
