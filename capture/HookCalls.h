#pragma once
#include <functional>

namespace zorvic {

// The hook library as the program uses it: the switches and flags of the capture, the capture
// sound, and the look at Ctrl+B before the program grabs it. Tests put their own in.
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
    std::function<void()> PlayVoice;
    // Another program holds Ctrl+B, so that the program's own grab would fail.
    std::function<bool()> HotKeyHeldByAnotherProgram;
};

// The exports of libZorvicMain, and the platform layer's look at Ctrl+B.
THookCalls LibraryHookCalls();

} // namespace zorvic
