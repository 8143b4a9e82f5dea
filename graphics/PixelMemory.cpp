#include "PixelMemory.h"

#include <new>
#include <sys/mman.h>

namespace zorvic {

namespace {
constexpr std::size_t kHugePage = std::size_t{2} << 20;
} // namespace

void TPixelRelease::operator()(std::uint8_t* pixels) const {
    if (mappedBytes)
        munmap(pixels, mappedBytes);
    else
        delete[] pixels;
}

TPixelBuffer AllocatePixels(std::size_t bytes) {
    if (bytes < kHugePage) return TPixelBuffer(new std::uint8_t[bytes > 0 ? bytes : 1]);
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
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
