#include "HookService.h"
#include "CaptureSound.h"
#include "InputWatch.h"
#include <cstdio>
#include <exception>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace zorvic {

HookService& HookService::Instance() {
    static HookService service;
    return service;
}

HookService::HookService() {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) == 0) {
        wakeRead_ = ends[0];
        wakeWrite_ = ends[1];
    }
}

HookService::~HookService() {
    // Xlib ends the process from the watching thread itself when the X server goes away; that
    // thread cannot wait for itself.
    if (thread_.joinable() && thread_.get_id() == std::this_thread::get_id()) {
        thread_.detach();
    } else if (thread_.joinable()) {
        flags_.stopping = true;
        Wake();
        thread_.join();
    }
    if (wakeRead_ >= 0) close(wakeRead_);
    if (wakeWrite_ >= 0) close(wakeWrite_);
}

void HookService::SetHotKeyWanted(bool wanted) {
    if (wanted) {
        SwitchOn(flags_.hotKeyWanted, flags_.hotKeyPressed);
    } else if (flags_.hotKeyWanted.exchange(false)) {
        Wake();
    }
}

bool HookService::TakeHotKeyPress() {
    return flags_.hotKeyPressed.exchange(false);
}

void HookService::SetMouseWanted(bool wanted) {
    if (wanted) {
        SwitchOn(flags_.mouseWanted, flags_.mouseDown);
    } else if (flags_.mouseWanted.exchange(false)) {
        Wake();
    }
}

bool HookService::MouseDown() const {
    return flags_.mouseDown;
}

void HookService::SetMouseDown(bool down) {
    flags_.mouseDown = down;
}

void HookService::RequestSound() {
    flags_.soundRequested = true;
    StartThreadOnce();
    Wake();
}

void HookService::SwitchOn(std::atomic<bool>& wish, std::atomic<bool>& staleFlag) {
    if (wish && threadStarted_) return;
    if (!wish) {
        // A press noticed in an earlier period but never read (it came just before the
        // switch-off) would otherwise start a capture nobody asked for.
        staleFlag = false;
        wish = true;
    }
    StartThreadOnce();
    Wake();
}

void HookService::Wake() {
    if (wakeWrite_ < 0) return;
    char byte = 1;
    // A full pipe already holds a wake-up, so a failed write loses nothing.
    [[maybe_unused]] ssize_t written = write(wakeWrite_, &byte, 1);
}

void HookService::StartThreadOnce() {
    if (wakeRead_ < 0) return;
    // A start that throws leaves the flag unset, so the next call tries again.
    std::call_once(started_, [this] {
        thread_ = std::thread(&HookService::Run, this);
        threadStarted_ = true;
    });
}

void HookService::Run() {
    // Nothing may leave a thread's function: it would end the whole program.
    try {
        Watch();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zorvic: the hot key and the mouse-click notice stopped: %s\n",
                     error.what());
    } catch (...) {
        std::fprintf(stderr, "zorvic: the hot key and the mouse-click notice stopped\n");
    }
}

void HookService::Watch() {
    InputWatch watch(flags_, notice_);
    CaptureSound sound;
    while (!flags_.stopping) {
        watch.FollowWishes();
        if (flags_.soundRequested.exchange(false)) sound.Play();
        watch.HandlePendingEvents();

        pollfd waits[2] = {{wakeRead_, POLLIN, 0}, {watch.FileDescriptor(), POLLIN, 0}};
        poll(waits, waits[1].fd >= 0 ? 2 : 1, watch.MillisecondsToNextTry());
        char drained[64];
        while (read(wakeRead_, drained, sizeof drained) > 0) {
        }
    }
}

} // namespace zorvic
