#pragma once
#include <cstdint>

namespace zorvic {

constexpr int IntMin(int a, int b) {
    return a < b ? a : b;
}
constexpr int IntMax(int a, int b) {
    return a > b ? a : b;
}
constexpr int ClampByte(int v) {
    return v > 255 ? 255 : (v < 0 ? 0 : v);
}

// Brings a coordinate past either edge of [0, size) back in from the other side.
constexpr int WrapAround(long long i, int size) {
    if (i < 0) return static_cast<int>((size - 1) - ((-i) % size));
    if (i >= size) return static_cast<int>(i % size);
    return static_cast<int>(i);
}

// Where long pixel routines report how far they are: the editor's progress bar, a terminal
// line, or nothing (routines take a null pointer for that). Calls come from the calling thread,
// once per row, in row order.
class TProgress {
public:
    virtual ~TProgress() = default;
    virtual void SetMax(int maximum) = 0;
    virtual void SetPosition(int position) = 0;
};

} // namespace zorvic
