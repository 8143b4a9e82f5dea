#include "HookCalls.h"

#include "HotKeyProbe.h"

// The hook library's C entry points (the main window has a header of the same name).
#include "ZorvicMain.h"

namespace zorvic {

THookCalls LibraryHookCalls() {
    return {::EnableHotKeyHook,          ::DisableHotKeyHook,   ::GetDownHotKey,
            ::EnableMouseHook,           ::GetMouseDown,        ::SetMouseDown,
            ::DisableMouseHook,          ::GetNoticeDescriptor, ::PlayVoice,
            IsHotKeyHeldByAnotherProgram};
}

} // namespace zorvic
