#include "RowPipeline.h"

namespace zorvic {

TRowPipeline::TRowPipeline(int width, int height, TMakeRow make)
    : width_(width), height_(height), make_(std::move(make)),
      slots_(static_cast<std::size_t>(kSlots) * static_cast<std::size_t>(width)),
      maker_([this] { Run(); }) {}

TRowPipeline::~TRowPipeline() {
    {
        const std::lock_guard hold(lock_);
        stopping_ = true;
    }
    changed_.notify_all();
    maker_.join();
}

std::uint8_t* TRowPipeline::Slot(int row) {
    return slots_.data() +
           static_cast<std::size_t>(row % kSlots) * static_cast<std::size_t>(width_);
}

void TRowPipeline::Run() {
    for (int row = 0; row < height_; ++row) {
        {
            std::unique_lock hold(lock_);
            if (row - released_ >= kSlots) {
                // Every slot is taken: wait until the caller has given back half of them.
                makerWaitsForRelease_ = row - kSlots / 2;
                changed_.wait(hold, [&] { return stopping_ || released_ > makerWaitsForRelease_; });
                makerWaitsForRelease_ = -1;
            }
            if (stopping_) return;
        }
        try {
            make_(Slot(row));
        } catch (...) {
            const std::lock_guard hold(lock_);
            failure_ = std::current_exception();
            changed_.notify_all();
            return;
        }
        bool wake = false;
        {
            const std::lock_guard hold(lock_);
            made_ = row + 1;
            wake = callerWaits_;
        }
        if (wake) changed_.notify_all();
    }
}

const std::uint8_t* TRowPipeline::NextRow() {
    std::unique_lock hold(lock_);
    // The row handed out before is done with.
    released_ = handedOut_;
    if (makerWaitsForRelease_ >= 0 && released_ > makerWaitsForRelease_) changed_.notify_all();
    if (made_ <= handedOut_ && !failure_) {
        callerWaits_ = true;
        changed_.wait(hold, [&] { return made_ > handedOut_ || failure_; });
        callerWaits_ = false;
    }
    if (made_ <= handedOut_) std::rethrow_exception(failure_);
    return Slot(handedOut_++);
}

} // namespace zorvic
