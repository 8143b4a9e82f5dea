#pragma once
#include "Arguments.h"

namespace zorvic {

// Each throws EZorvicError (or another std::exception) on failure, leaving no OUT behind.
void RunApply(const ApplyCommand& command);
void RunConvert(const ConvertCommand& command);
// Grabs the primary screen of the X display in $DISPLAY, as the main window's capture does.
void RunCapture(const CaptureCommand& command);

} // namespace zorvic
