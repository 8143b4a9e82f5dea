#pragma once
#include "HookFlags.h"
#include <mutex>
#include <thread>

namespace zorvic {

// The library's state and its one background thread. Every method returns at once: wishes are
// stored in atomics and the thread is woken through a pipe to carry them out.
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

private:
    HookService();
    // Turns a wish on: clears a flag left from before, then wakes the thread.
    void SwitchOn(std::atomic<bool>& wish, std::atomic<bool>& staleFlag);
    void Wake();
    void StartThreadOnce();
    void Run();

    HookFlags flags_;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::once_flag started_;
    std::thread thread_;
};

} // namespace zorvic
