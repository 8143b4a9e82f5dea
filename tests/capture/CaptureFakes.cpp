#include "CaptureFakes.h"

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
    };
}

} // namespace zorvic::testing
