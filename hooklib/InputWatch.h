#pragma once
#include "HookFlags.h"
#include "HotKeyGrab.h"
#include "NoticeSignal.h"
#include <chrono>
#include <optional>

namespace zorvic {

// The library's own X connection: grabs Ctrl+B, and during a pick the pointer, as the flags ask;
// listens for raw button presses and raises the flags from what arrives, each with a notice. Used
// by the library's thread only.
class InputWatch {
public:
    // Opens the display named by DISPLAY; without one the watch is inert and says so on stderr.
    InputWatch(HookFlags& flags, NoticeSignal& notice);
    ~InputWatch();
    InputWatch(const InputWatch&) = delete;
    InputWatch& operator=(const InputWatch&) = delete;

    // The connection's file descriptor to wait on, or -1 when inert.
    int FileDescriptor() const;
    // How long the caller may wait before FollowWishes must run again: while another client
    // holds Ctrl+B, the grab is tried again from time to time. -1: no need.
    int MillisecondsToNextTry() const;
    // Grabs or releases the hot key and selects or drops button events to match the wishes.
    void FollowWishes();
    // Handles every event that has arrived, without blocking.
    void HandlePendingEvents();

private:
    void FollowHotKeyWish();
    void GrabHotKeyAgainLater();
    void FollowMouseWish();
    void SelectRawButtons(bool on);
    void GrabPointer(bool on);
    bool AnyButtonDown();
    void HandleEvent(XEvent& event);
    void HandleRawEvent(XEvent& event);
    void NoticeButtonPress(unsigned button);
    void NoticeButtonRelease();

    HookFlags& flags_;
    NoticeSignal& notice_;
    Display* display_ = nullptr;
    Window root_ = 0;
    std::optional<HotKeyGrab> grab_;
    // While another client holds Ctrl+B under some lock state: since when, and the next try.
    std::optional<std::chrono::steady_clock::time_point> clashSince_;
    std::chrono::steady_clock::time_point nextTry_;
    std::chrono::milliseconds tryInterval_{0};
    bool clashReported_ = false;
    // Ctrl+B is down: auto-repeat presses of the held key do not count again.
    bool hotKeyHeld_ = false;
    int inputOpcode_ = -1; // XInput 2's major opcode, -1 without XInput 2.2
    bool buttonsSelected_ = false;
    bool pointerGrabbed_ = false;
};

} // namespace zorvic
