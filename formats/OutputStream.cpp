#include "OutputStream.h"

#include "AtomicFile.h"

#include <cstring>

namespace zorvic {

void TMemoryStream::Write(const void* data, std::size_t size) {
    const std::size_t end = static_cast<std::size_t>(position_) + size;
    if (end > bytes_.size()) bytes_.resize(end);
    if (size > 0) std::memcpy(bytes_.data() + position_, data, size);
    position_ = end;
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
