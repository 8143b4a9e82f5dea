#pragma once
#include "Errors.h"

namespace zorvic {

// A command line that cannot be run as typed. It is reported before any file is read or written
// and ends the program with the usage exit status; other failures end it with the runtime one.
class EUsageError : public EZorvicError {
public:
    using EZorvicError::EZorvicError;
};

inline constexpr int kExitOk = 0;
inline constexpr int kExitRuntimeError = 1;
inline constexpr int kExitUsageError = 2;

} // namespace zorvic
