#include "StepPlan.h"

namespace zorvic {

namespace {

const OperationSpec* TurnBy(int quarterTurns) {
    for (const OperationSpec& spec : Operations())
        if (spec.quarterTurns == quarterTurns) return &spec;
    return nullptr;
}

} // namespace

std::vector<OperationStep> PlanSteps(const std::vector<OperationStep>& requested) {
    std::vector<OperationStep> planned;
    int pendingTurns = 0;
    const auto flushTurns = [&] {
        if (const OperationSpec* turn = pendingTurns % 4 ? TurnBy(pendingTurns % 4) : nullptr)
            planned.push_back({turn, {}});
        pendingTurns = 0;
    };
    for (const OperationStep& step : requested) {
        if (step.spec->quarterTurns) {
            pendingTurns += step.spec->quarterTurns;
            continue;
        }
        flushTurns();
        planned.push_back(step);
    }
    flushTurns();
    return planned;
}

} // namespace zorvic
