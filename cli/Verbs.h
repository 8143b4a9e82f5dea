#pragma once
#include "Arguments.h"

namespace zorvic {

// Each throws EZorvicError (or another std::exception) on failure, leaving no OUT behind.
void RunApply(const ApplyCommand& command);
void RunConvert(const ConvertCommand& command);

} // namespace zorvic
