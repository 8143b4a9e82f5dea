#include "ScopedEnvironment.h"

#include <cstdlib>

namespace zorvic::testing {

namespace {
void Put(const std::string& name, const std::optional<std::string>& value) {
    if (value)
        setenv(name.c_str(), value->c_str(), 1);
    else
        unsetenv(name.c_str());
}
} // namespace

TScopedEnvironment::TScopedEnvironment(const char* name, const std::optional<std::string>& value)
    : name_(name) {
    if (const char* earlier = std::getenv(name)) earlier_ = earlier;
    Put(name_, value);
}

TScopedEnvironment::~TScopedEnvironment() {
    Put(name_, earlier_);
}

} // namespace zorvic::testing
