#include "NoticeSignal.h"
#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

namespace zorvic {

NoticeSignal::NoticeSignal() : descriptor_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

NoticeSignal::~NoticeSignal() {
    if (descriptor_ >= 0) close(descriptor_);
}

void NoticeSignal::Raise() {
    if (descriptor_ < 0) return;
    const std::uint64_t one = 1;
    // Fails only when the count would overflow, and then a notice is unread anyway.
    [[maybe_unused]] ssize_t written = write(descriptor_, &one, sizeof one);
}

} // namespace zorvic
