#pragma once
#include <cstdint>

namespace zorvic::bench {

// xorshift32: the same words, windows and colours on every run.
class TSequence {
public:
    std::uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    int Below(int bound) { return static_cast<int>(Next() % static_cast<std::uint32_t>(bound)); }

private:
    std::uint32_t state_ = 2463534242u;
};

} // namespace zorvic::bench
