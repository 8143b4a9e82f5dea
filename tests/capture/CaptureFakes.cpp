#include "CaptureFakes.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace zorvic::testing {

void FakeHost::StartTimer1() {
    log_.push_back("StartTimer1");
    Timer1Running = true;
}

void FakeHost::StopTimer1() {
    log_.push_back("StopTimer1");
    Timer1Running = false;
}

void FakeHost::CaptureCancelled() {
    log_.push_back("CaptureCancelled");
}

void FakeEditor::LoadFullScreen(const TBitmap& screenCapture) {
    log_.push_back("LoadFullScreen");
    Received = screenCapture;
}

void FakeEditor::LoadSelection(const TBitmap& frozenScreen, TPoint selStart, TPoint selEnd) {
    log_.push_back("LoadSelection");
    Received = frozenScreen;
    SelStart = selStart;
    SelEnd = selEnd;
}

void FakeEditor::LoadPicture(const TBitmap& picture) {
    log_.push_back("LoadPicture");
    Received = picture;
}

void FakeEditor::Show() {
    log_.push_back("Show");
}

void FakeEditor::ShowModal() {
    log_.push_back("ShowModal");
    if (WhileModal) WhileModal();
}

FakeHooks::FakeHooks(CallLog& log) : log_(log), notice_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

FakeHooks::~FakeHooks() {
    close(notice_);
}

void FakeHooks::Raise(bool& flag, bool hookOn) {
    if (!hookOn || flag) return;
    flag = true;
    const std::uint64_t one = 1;
    [[maybe_unused]] ssize_t written = write(notice_, &one, sizeof one);
}

THookCalls FakeHooks::Calls() {
    auto record = [this](const char* name, auto change) {
        return [this, name, change] {
            log_.push_back(name);
            change(*this);
        };
    };
    return {
        .EnableHotKeyHook = record("EnableHotKeyHook",
                                   [](FakeHooks& hooks) {
                                       hooks.HotKeyHookOn = true;
                                       hooks.hotKeyDown_ = false;
                                   }),
        .DisableHotKeyHook =
            record("DisableHotKeyHook", [](FakeHooks& hooks) { hooks.HotKeyHookOn = false; }),
        .GetDownHotKey = [this] { return std::exchange(hotKeyDown_, false); },
        .EnableMouseHook = record("EnableMouseHook",
                                  [](FakeHooks& hooks) {
                                      hooks.MouseHookOn = true;
                                      hooks.mouseDown_ = false;
                                  }),
        .GetMouseDown = [this] { return mouseDown_; },
        .SetMouseDown =
            [this](bool down) {
                log_.push_back(down ? "SetMouseDown(true)" : "SetMouseDown(false)");
                mouseDown_ = down;
            },
        .DisableMouseHook =
            record("DisableMouseHook", [](FakeHooks& hooks) { hooks.MouseHookOn = false; }),
        .NoticeDescriptor = [this] { return notice_; },
        .PlayVoice = record("PlayVoice", [](FakeHooks&) {}),
        .HotKeyHeldByAnotherProgram = [this] { return HotKeyHeldByAnotherProgram; },
    };
}

} // namespace zorvic::testing
