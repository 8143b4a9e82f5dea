#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

namespace zorvic {

// Gives back what AllocatePixels handed out, by the way it was made.
struct TPixelRelease {
    std::size_t mappedBytes = 0; // 0: from the heap
    void operator()(std::uint8_t* pixels) const;
};

using TPixelBuffer = std::unique_ptr<std::uint8_t[], TPixelRelease>;

// Uninitialised storage for `bytes` bytes of pixels; std::bad_alloc when there is no memory.
// Whole screens and photos take tens of megabytes. Those are mapped on 2 MB boundaries and offered
// to the kernel as huge pages, which fills them with a few dozen page faults instead of
// thousands: the first touch of a 4K screen drops from about 100 ms to a few.
TPixelBuffer AllocatePixels(std::size_t bytes);

} // namespace zorvic
