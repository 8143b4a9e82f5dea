#include "PixelMemory.h"

#include <mutex>
#include <new>
#include <sys/mman.h>
#include <utility>

namespace zorvic {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

// The large buffer released last, kept for the next picture of its size: the editor releases
// its oldest history copy as each command makes a new picture of the same size, and a buffer
// whose pages are already there saves zeroing them all again (a few milliseconds for a 4K
// picture, as much as the quickest effects themselves take). Never destroyed, so that bitmaps
// released at exit find it.
struct TSpareBuffer {
    std::mutex lock;
    std::uint8_t* pixels = nullptr;
    std::size_t bytes = 0;
};

TSpareBuffer& Spare() {
    static auto* spare = new TSpareBuffer;
    return *spare;
}

} // namespace

void TPixelRelease::operator()(std::uint8_t* pixels) const {
    if (!mappedBytes) {
        delete[] pixels;
        return;
    }
    std::size_t displacedBytes = mappedBytes;
    {
        TSpareBuffer& spare = Spare();
        const std::lock_guard hold(spare.lock);
        std::swap(spare.pixels, pixels);
        std::swap(spare.bytes, displacedBytes);
    }
    if (pixels) munmap(pixels, displacedBytes);
}

TPixelBuffer AllocatePixels(std::size_t bytes) {
    if (bytes < kHugePage) return TPixelBuffer(new std::uint8_t[bytes > 0 ? bytes : 1]);
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    {
        TSpareBuffer& spare = Spare();
        const std::lock_guard hold(spare.lock);
        if (spare.pixels && spare.bytes == rounded)
            return TPixelBuffer(std::exchange(spare.pixels, nullptr), TPixelRelease{rounded});
    }
    // One huge page more than needed, so that an aligned stretch lies inside; the rest is
    // given back at once.
    void* mapped = mmap(nullptr, rounded + kHugePage, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    auto* start = static_cast<std::uint8_t*>(mapped);
    const std::size_t lead =
        (kHugePage - reinterpret_cast<std::uintptr_t>(start) % kHugePage) % kHugePage;
    if (lead) munmap(start, lead);
    munmap(start + lead + rounded, kHugePage - lead);
    std::uint8_t* aligned = start + lead;
    // Only advice: without huge pages the memory works the same, page by page.
    madvise(aligned, rounded, MADV_HUGEPAGE);
    return TPixelBuffer(aligned, TPixelRelease{rounded});
}

} // namespace zorvic
