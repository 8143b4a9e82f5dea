#pragma once
#include "HookFlags.h"
#include "NoticeSignal.h"
#include <atomic>
#include <mutex>
#include <thread>

namespace zorvic {

// The library's state and its one background thread. Every method returns at once: wishes are
// stored in atomics and the thread is woken through a pipe to carry them out. Starting the thread
// may throw (std::system_error when the system has no room for one); a later switch-on tries
// again.
class HookService {
public:
    static HookService& Instance();
    // Stops the thread when the library is unloaded or the process ends.
    ~HookService();
    HookService(const HookService&) = delete;
    HookService& operator=(const HookService&) = delete;

    void SetHotKeyWanted(bool wanted);
    bool TakeHotKeyPress();
    void SetMouseWanted(bool wanted);
    bool MouseDown() const;
    void SetMouseDown(bool down);
    void RequestSound();
    int NoticeDescriptor() const { return notice_.Descriptor(); }

private:
    HookService();
    // Turns a wish on: clears a flag left from before, then wakes the thread.
    void SwitchOn(std::atomic<bool>& wish, std::atomic<bool>& staleFlag);
    void Wake();
    void StartThreadOnce();
    void Run();
    void Watch();

    HookFlags flags_;
    NoticeSignal notice_;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::once_flag started_;
    std::thread thread_;
    std::atomic<bool> threadStarted_{false};
};

} // namespace zorvic
