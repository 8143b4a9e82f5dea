#pragma once
#include <functional>

namespace zorvic {

// The hook library's switches and flags as the capture uses them; tests put their own in.
struct THookCalls {
    std::function<void()> EnableHotKeyHook;
    std::function<void()> DisableHotKeyHook;
    std::function<bool()> GetDownHotKey;
    std::function<void()> EnableMouseHook;
    std::function<bool()> GetMouseDown;
    std::function<void(bool)> SetMouseDown;
    std::function<void()> DisableMouseHook;
    // A descriptor that turns readable when one of the flags goes up, and is emptied by reading
    // it; left empty (or giving -1) when there is none, and then the flags are polled.
    std::function<int()> NoticeDescriptor;
};

// The exports of libZorvicMain.
THookCalls LibraryHookCalls();

} // namespace zorvic
