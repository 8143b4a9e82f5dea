#pragma once
#include <utility>

namespace zorvic {

// A process-wide hook (a handler, a font engine) replaced for as long as this object lives; the
// one before comes back when it ends. The object that replaces a hook owns the replacement, so
// a test that ends early, or runs again, leaves nothing behind for the next.
template <class Value> class TScopedOverride {
public:
    TScopedOverride(Value& slot, Value replacement)
        : slot_(slot), earlier_(std::exchange(slot, std::move(replacement))) {}
    ~TScopedOverride() { slot_ = std::move(earlier_); }
    TScopedOverride(const TScopedOverride&) = delete;
    TScopedOverride& operator=(const TScopedOverride&) = delete;

private:
    Value& slot_;
    Value earlier_;
};

} // namespace zorvic
