#include "BackgroundWriter.h"

#include <utility>

namespace zorvic {

TBackgroundWriter::TBackgroundWriter(TAtomicFile& file) : file_(file), thread_([this] { Run(); }) {}

TBackgroundWriter::~TBackgroundWriter() {
    {
        const std::lock_guard hold(lock_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void TBackgroundWriter::AwaitIdle(std::unique_lock<std::mutex>& hold) {
    changed_.wait(hold, [this] { return !pending_; });
    if (failure_) std::rethrow_exception(failure_);
}

void TBackgroundWriter::Write(std::vector<std::span<const std::uint8_t>> pieces) {
    {
        std::unique_lock hold(lock_);
        AwaitIdle(hold);
        pieces_ = std::move(pieces);
        pending_ = true;
    }
    changed_.notify_all();
}

void TBackgroundWriter::Finish() {
    std::unique_lock hold(lock_);
    AwaitIdle(hold);
}

void TBackgroundWriter::Run() {
    for (;;) {
        {
            std::unique_lock hold(lock_);
            changed_.wait(hold, [this] { return pending_ || stopping_; });
            if (stopping_) return;
        }
        // The caller touches pieces_ only once pending_ is cleared.
        std::exception_ptr failure;
        try {
            file_.WritePieces(pieces_);
        } catch (...) {
            failure = std::current_exception();
        }
        {
            const std::lock_guard hold(lock_);
            pending_ = false;
            failure_ = failure;
        }
        changed_.notify_all();
        if (failure) return;
    }
}

} // namespace zorvic
