#pragma once
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace zorvic {

// Rows made on a thread of their own, in order, up to a few dozen ahead of the caller who takes
// them in the same order: two steps that each keep one core busy (error diffusion and LZW coding)
// overlap, and every row is what the maker alone gives. A failure of the maker reaches the caller
// at the row it could not make; the destructor stops the maker wherever it is.
class TRowPipeline {
public:
    using TMakeRow = std::function<void(std::uint8_t* row)>;

    // make(row) fills `width` bytes with the next row, `height` times.
    TRowPipeline(int width, int height, TMakeRow make);
    ~TRowPipeline();
    TRowPipeline(const TRowPipeline&) = delete;
    TRowPipeline& operator=(const TRowPipeline&) = delete;

    // The next row, valid until the following call; waits for the maker.
    const std::uint8_t* NextRow();

private:
    void Run();
    std::uint8_t* Slot(int row);

    static constexpr int kSlots = 64;
    const int width_;
    const int height_;
    TMakeRow make_;
    std::vector<std::uint8_t> slots_;

    std::mutex lock_;
    std::condition_variable changed_;
    int made_ = 0;      // rows ready
    int released_ = 0;  // rows the caller is done with
    int handedOut_ = 0; // rows given to the caller
    // What the sleeping side waits for, so that the other wakes it once, not at every row.
    int makerWaitsForRelease_ = -1;
    bool callerWaits_ = false;
    bool stopping_ = false;
    std::exception_ptr failure_;

    std::thread maker_; // last: starts once everything above is set up
};

} // namespace zorvic
