#pragma once
#include "AtomicFile.h"

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

namespace zorvic {

// Writes pieces of memory to a file on a thread of its own, one batch at a time, so that the
// caller makes the next batch meanwhile: with two buffers used in turn, reading and working one
// band of a picture overlaps with writing the band before.
class TBackgroundWriter {
public:
    explicit TBackgroundWriter(TAtomicFile& file);
    // Stops after the batch being written, if any; the pieces must live until then.
    ~TBackgroundWriter();
    TBackgroundWriter(const TBackgroundWriter&) = delete;
    TBackgroundWriter& operator=(const TBackgroundWriter&) = delete;

    // Waits until the batch before is written, then hands these pieces over and returns: they
    // must stay unchanged until the next Write or Finish returns. A failure to write a batch
    // is thrown by the next call.
    void Write(std::vector<std::span<const std::uint8_t>> pieces);
    // Waits until every batch is written.
    void Finish();

private:
    void Run();
    // With the lock held: waits until no batch is pending, and throws a failure.
    void AwaitIdle(std::unique_lock<std::mutex>& hold);

    TAtomicFile& file_;
    std::mutex lock_;
    std::condition_variable changed_;
    std::vector<std::span<const std::uint8_t>> pieces_;
    bool pending_ = false;
    bool stopping_ = false;
    std::exception_ptr failure_;
    std::thread thread_; // last: starts once everything above is set up
};

} // namespace zorvic
