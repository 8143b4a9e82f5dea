#include "PieceCursor.h"

#include <algorithm>
#include <climits>

namespace zorvic {

TPieceCursor::TPieceCursor(std::vector<iovec> pieces) : pieces_(std::move(pieces)) {
    SkipEmpty();
}

std::span<const iovec> TPieceCursor::Next() const {
    const std::size_t count = std::min<std::size_t>(pieces_.size() - first_, IOV_MAX);
    return {pieces_.data() + first_, count};
}

void TPieceCursor::Advance(std::size_t bytes) {
    while (bytes > 0 && first_ < pieces_.size()) {
        iovec& piece = pieces_[first_];
        const std::size_t taken = std::min(bytes, piece.iov_len);
        piece.iov_base = static_cast<char*>(piece.iov_base) + taken;
        piece.iov_len -= taken;
        bytes -= taken;
        SkipEmpty();
    }
}

void TPieceCursor::SkipEmpty() {
    while (first_ < pieces_.size() && pieces_[first_].iov_len == 0)
        ++first_;
}

} // namespace zorvic
