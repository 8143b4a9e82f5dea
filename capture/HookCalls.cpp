#include "HookCalls.h"

#include "hooklib/ZorvicMain.h"

namespace zorvic {

THookCalls LibraryHookCalls() {
    return {::EnableHotKeyHook, ::DisableHotKeyHook, ::GetDownHotKey,    ::EnableMouseHook,
            ::GetMouseDown,     ::SetMouseDown,      ::DisableMouseHook, ::GetNoticeDescriptor};
}

} // namespace zorvic
