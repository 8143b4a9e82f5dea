#pragma once
#include <optional>
#include <string>

namespace zorvic::testing {

// Sets an environment variable (or, given nothing, removes it) for the lifetime of the object.
class TScopedEnvironment {
public:
    TScopedEnvironment(const char* name, const std::optional<std::string>& value);
    ~TScopedEnvironment();
    TScopedEnvironment(const TScopedEnvironment&) = delete;
    TScopedEnvironment& operator=(const TScopedEnvironment&) = delete;

private:
    std::string name_;
    std::optional<std::string> earlier_;
};

} // namespace zorvic::testing
