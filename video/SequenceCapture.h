#pragma once
#include "AviRecorder.h"
#include "CaptureDevice.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace zorvic {

// A recording, on a thread of its own. At every tick of the frame rate it takes the device's
// newest picture; the pictures are written in order, and after each one the running count is
// reported. The next picture is written only once the user-interface thread has dealt with that
// report, so a stop decided on it ends the file at exactly that count; pictures taken meanwhile
// wait their turn (up to a few seconds' worth), so a busy user-interface thread costs no frames.
class TSequenceCapture {
public:
    // Called on the recording thread with the frames written so far; the receiver hands each
    // report to the user-interface thread, and calls CountReported there for every
    // IDS_CAP_STAT_VIDEOCURRENT.
    using TReport = std::function<void(int id, const std::string& text, std::int64_t frames)>;

    // `secondsPerFrame` as a fraction, e.g. 1/15. Reports IDS_CAP_BEGIN before the first frame.
    TSequenceCapture(const TCaptureDevice& device, std::unique_ptr<TAviRecorder> file,
                     int secondsNumerator, int secondsDenominator, TReport report);
    // Stops and waits for the file to be finished.
    ~TSequenceCapture();
    TSequenceCapture(const TSequenceCapture&) = delete;
    TSequenceCapture& operator=(const TSequenceCapture&) = delete;

    // Ends the recording after the frame being written; returns at once. The file is finished on
    // the recording thread, which then reports how it ended.
    void Stop();
    // Stops and waits until the file is finished.
    void Wait();
    void CountReported(std::int64_t frames);
    bool Running() const;
    // Whether the recording reports (or has reported) a loss of the device itself: true while it
    // runs, and after it ended when the device was gone by then.
    bool ReportsDeviceLoss() const;

private:
    enum class TEnd { Stopped, DeviceLost, WriteFailed };
    void Run();
    // Waits for the next tick or for a report to be dealt with; false once asked to stop.
    bool AwaitWork(std::chrono::steady_clock::time_point due);
    void Finish(TEnd end, const std::string& failure);

    const TCaptureDevice& device_;
    std::unique_ptr<TAviRecorder> file_;
    std::chrono::duration<double> period_;
    TReport report_;

    mutable std::mutex guard_;
    std::condition_variable wake_;
    bool stopping_ = false;
    bool finished_ = false;
    bool lostAtEnd_ = false;
    std::int64_t written_ = 0;
    std::int64_t reported_ = 0;
    std::int64_t dropped_ = 0; // touched by the recording thread only
    std::thread thread_;
};

} // namespace zorvic
