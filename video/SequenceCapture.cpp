#include "SequenceCapture.h"

#include "AviCap.h"
#include "CaptureStatus.h"
#include "Errors.h"

#include <deque>

namespace zorvic {

namespace {
using Clock = std::chrono::steady_clock;
// How long the first picture of a device that has just been opened may take.
constexpr auto kFirstPictureWait = std::chrono::seconds(2);
// Pictures waiting for their turn while the user-interface thread is busy; about ten seconds.
constexpr std::size_t kMostWaiting = 150;
} // namespace

TSequenceCapture::TSequenceCapture(const TCaptureDevice& device, std::unique_ptr<TAviRecorder> file,
                                   int secondsNumerator, int secondsDenominator, TReport report)
    : device_(device), file_(std::move(file)),
      period_(static_cast<double>(secondsNumerator) / secondsDenominator),
      report_(std::move(report)) {
    thread_ = std::thread([this] { Run(); });
}

TSequenceCapture::~TSequenceCapture() {
    Wait();
}

void TSequenceCapture::Wait() {
    Stop();
    if (thread_.joinable()) thread_.join();
}

void TSequenceCapture::Stop() {
    {
        std::lock_guard lock(guard_);
        stopping_ = true;
    }
    wake_.notify_all();
}

void TSequenceCapture::CountReported(std::int64_t frames) {
    {
        std::lock_guard lock(guard_);
        if (frames > reported_) reported_ = frames;
    }
    wake_.notify_all();
}

bool TSequenceCapture::Running() const {
    std::lock_guard lock(guard_);
    return !finished_;
}

bool TSequenceCapture::ReportsDeviceLoss() const {
    std::lock_guard lock(guard_);
    return !finished_ || lostAtEnd_;
}

void TSequenceCapture::Run() {
    report_(IDS_CAP_BEGIN, RecordingBeganText(file_->Path()), 0);
    const Clock::time_point start = Clock::now();
    std::deque<TSharedFrame> waiting;
    std::int64_t ticks = 0;
    try {
        for (;;) {
            const Clock::time_point due =
                start + std::chrono::duration_cast<Clock::duration>(period_ * ticks);
            {
                std::unique_lock lock(guard_);
                wake_.wait_until(lock, due, [&] {
                    return stopping_ || (!waiting.empty() && reported_ >= written_);
                });
                if (stopping_) break;
            }
            if (Clock::now() >= due) {
                TSharedFrame picture = device_.Latest();
                if (!picture) picture = device_.WaitForFrame(-1, Clock::now() + kFirstPictureWait);
                if (!picture || device_.Lost()) return Finish(TEnd::DeviceLost, {});
                // A tick served more than a frame late gets the newest picture all the same.
                if (Clock::now() - due > period_) ++dropped_;
                waiting.push_back(std::move(picture));
                if (waiting.size() > kMostWaiting) {
                    waiting.pop_front();
                    ++dropped_;
                }
                ++ticks;
            }
            std::int64_t count;
            {
                std::lock_guard lock(guard_);
                if (waiting.empty() || reported_ < written_ || stopping_) continue;
                count = written_ + 1;
            }
            file_->Write(*waiting.front());
            waiting.pop_front();
            {
                std::lock_guard lock(guard_);
                written_ = count;
            }
            report_(IDS_CAP_STAT_VIDEOCURRENT,
                    RecordingProgressText({count, dropped_, count * period_.count()}), count);
        }
    } catch (const std::exception& error) {
        return Finish(TEnd::WriteFailed, error.what());
    }
    Finish(TEnd::Stopped, {});
}

void TSequenceCapture::Finish(TEnd end, const std::string& failure) {
    std::string reason = failure;
    try {
        file_->Finish();
    } catch (const EZorvicError& error) {
        if (reason.empty()) reason = error.what();
        end = TEnd::WriteFailed;
    }
    TRecordingProgress progress;
    bool lost;
    {
        std::lock_guard lock(guard_);
        finished_ = true;
        lost = lostAtEnd_ = end == TEnd::DeviceLost || device_.Lost();
        progress = {written_, dropped_, written_ * period_.count()};
    }
    if (end == TEnd::WriteFailed)
        report_(IDS_CAP_RECORDING_FAILED, RecordingFailedText(reason), progress.Frames);
    else if (lost)
        report_(IDS_CAP_DEVICE_LOST, DeviceLostWhileRecordingText(progress, file_->Path()),
                progress.Frames);
    else
        report_(IDS_CAP_END, RecordingEndedText(progress), progress.Frames);
}

} // namespace zorvic
