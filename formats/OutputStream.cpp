#include "OutputStream.h"

#include "AtomicFile.h"

#include <algorithm>
#include <cstring>

namespace zorvic {

void TMemoryStream::Write(const void* data, std::size_t size) {
    const auto* from = static_cast<const std::uint8_t*>(data);
    if (position_ > bytes_.size()) bytes_.resize(position_);
    const std::size_t overwritten = std::min<std::size_t>(size, bytes_.size() - position_);
    if (overwritten > 0) std::memcpy(bytes_.data() + position_, from, overwritten);
    // Appending, unlike resizing, does not clear the new bytes before they are copied.
    bytes_.insert(bytes_.end(), from + overwritten, from + size);
    position_ += size;
}

void TAtomicFileStream::Write(const void* data, std::size_t size) {
    file_.Write(data, size);
}

std::uint64_t TAtomicFileStream::Position() const {
    return static_cast<std::uint64_t>(file_.Position());
}

void TAtomicFileStream::Seek(std::uint64_t position) {
    file_.Seek(static_cast<long>(position));
}

void WriteFileAtomically(const std::string& target,
                         const std::function<void(TOutputStream&)>& write) {
    TAtomicFile file(target);
    TAtomicFileStream stream(file);
    write(stream);
    file.Commit();
}

} // namespace zorvic
