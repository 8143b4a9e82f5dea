#include "StepPlan.h"

namespace zorvic {

namespace {

const OperationDefinition* TurnBy(int quarterTurns) {
    for (const OperationDefinition& definition : Operations())
        if (definition.quarterTurns == quarterTurns) return &definition;
    return nullptr;
}

} // namespace

std::vector<OperationStep> PlanSteps(const std::vector<OperationStep>& requested) {
    std::vector<OperationStep> planned;
    int pendingTurns = 0;
    const auto flushTurns = [&] {
        if (const OperationDefinition* turn = pendingTurns % 4 ? TurnBy(pendingTurns % 4) : nullptr)
            planned.push_back({turn, {}});
        pendingTurns = 0;
    };
    for (const OperationStep& step : requested) {
        if (step.definition->quarterTurns) {
            pendingTurns += step.definition->quarterTurns;
            continue;
        }
        flushTurns();
        planned.push_back(step);
    }
    flushTurns();
    return planned;
}

} // namespace zorvic
