#include "ZorvicMain.h"
#include "HookService.h"
#include <atomic>
#include <cstdio>
#include <exception>

using zorvic::HookService;

namespace {

std::atomic<bool> failureReported{false};

// The entry points are called as C: no exception may unwind into the caller. What fails is
// starting the library's thread, so the hooks stay off until a later call manages it.
template <class Result, class Call> Result Shielded(Result fallback, Call call) noexcept {
    const char* what = "unknown error";
    try {
        return call();
    } catch (const std::exception& error) {
        what = error.what();
    } catch (...) {
    }
    if (!failureReported.exchange(true))
        std::fprintf(stderr,
                     "zorvic: the Ctrl+B hot key and the mouse-click notice cannot start: %s\n",
                     what);
    return fallback;
}

template <class Call> void Shielded(Call call) noexcept {
    Shielded(0, [&] {
        call();
        return 0;
    });
}

} // namespace

void EnableHotKeyHook(void) {
    Shielded([] { HookService::Instance().SetHotKeyWanted(true); });
}
void DisableHotKeyHook(void) {
    Shielded([] { HookService::Instance().SetHotKeyWanted(false); });
}
bool GetDownHotKey(void) {
    return Shielded(false, [] { return HookService::Instance().TakeHotKeyPress(); });
}

void EnableMouseHook(void) {
    Shielded([] { HookService::Instance().SetMouseWanted(true); });
}
bool GetMouseDown(void) {
    return Shielded(false, [] { return HookService::Instance().MouseDown(); });
}
void SetMouseDown(bool down) {
    Shielded([down] { HookService::Instance().SetMouseDown(down); });
}
void DisableMouseHook(void) {
    Shielded([] { HookService::Instance().SetMouseWanted(false); });
}

void PlayVoice(void) {
    Shielded([] { HookService::Instance().RequestSound(); });
}

int GetNoticeDescriptor(void) {
    return Shielded(-1, [] { return HookService::Instance().NoticeDescriptor(); });
}
