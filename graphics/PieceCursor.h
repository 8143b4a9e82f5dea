#pragma once
#include <sys/uio.h>

#include <cstddef>
#include <span>
#include <vector>

namespace zorvic {

// Pieces of memory that go through several vectored reads or writes (preadv, writev): each call
// takes at most the system's limit of pieces, and one that moved fewer bytes than asked for is
// resumed in the middle of a piece.
class TPieceCursor {
public:
    explicit TPieceCursor(std::vector<iovec> pieces);

    bool Done() const { return first_ == pieces_.size(); }
    // The pieces for the next call.
    std::span<const iovec> Next() const;
    // After a call that moved `bytes`.
    void Advance(std::size_t bytes);

private:
    void SkipEmpty();

    std::vector<iovec> pieces_;
    std::size_t first_ = 0;
};

} // namespace zorvic
