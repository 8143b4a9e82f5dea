#pragma once
#include "Operations.h"

#include <vector>

namespace zorvic {

// The steps to run for the steps asked for. Quarter and half turns move every pixel exactly, so
// a run of them next to each other folds into one net turn, or none for a full circle (the
// editor's four turns on opening); the written picture is the same, byte for byte.
std::vector<OperationStep> PlanSteps(const std::vector<OperationStep>& requested);

} // namespace zorvic
