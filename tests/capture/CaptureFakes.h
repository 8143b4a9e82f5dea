#pragma once
// A main window, an editor and a hook library for the capture code to talk to, all writing
// into one log, so that tests can check what happened and in which order.
#include "CaptureEditor.h"
#include "CaptureHost.h"
#include "HookCalls.h"

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

namespace zorvic::testing {

using CallLog = std::vector<std::string>;

class FakeHost final : public ICaptureHost {
public:
    explicit FakeHost(CallLog& log) : log_(log) {}

    std::optional<CaptureMode> Mode = CaptureMode::Region;
    bool IncludeCursor = false;
    int Width = 600, Height = 400;
    std::optional<int> DelaySeconds;
    bool HideMainForm = false;
    QWidget Window;
    bool Timer1Running = false;

    std::optional<CaptureMode> CheckedMode() const override { return Mode; }
    bool IncludeCursorChecked() const override { return IncludeCursor; }
    int FixedRegionWidth() const override { return Width; }
    int FixedRegionHeight() const override { return Height; }
    std::optional<int> CaptureDelaySeconds() const override { return DelaySeconds; }
    bool HideMainFormChecked() const override { return HideMainForm; }
    QWidget* MainWindow() override { return &Window; }
    void StartTimer1() override;
    void StopTimer1() override;
    void CaptureCancelled() override;

private:
    CallLog& log_;
};

class FakeEditor final : public ICaptureEditor {
public:
    explicit FakeEditor(CallLog& log) : log_(log) {}

    TBitmap Received;
    TPoint SelStart, SelEnd;
    // Runs inside ShowModal, while the modal editor would be up.
    std::function<void()> WhileModal;

    void LoadFullScreen(const TBitmap& screenCapture) override;
    void LoadSelection(const TBitmap& frozenScreen, TPoint selStart, TPoint selEnd) override;
    void LoadPicture(const TBitmap& picture) override;
    void Show() override;
    void ShowModal() override;

private:
    CallLog& log_;
};

// The hook library's behaviour the program relies on: presses count only while their hook is on,
// a flag going up is told on an eventfd of its own, and the capture sound is logged.
class FakeHooks {
public:
    explicit FakeHooks(CallLog& log);
    ~FakeHooks();
    FakeHooks(const FakeHooks&) = delete;
    FakeHooks& operator=(const FakeHooks&) = delete;

    bool HotKeyHookOn = true;
    bool MouseHookOn = false;
    // What the look at Ctrl+B finds before the program grabs it.
    bool HotKeyHeldByAnotherProgram = false;
    void PressHotKey() { Raise(hotKeyDown_, HotKeyHookOn); }
    void PressMouse() { Raise(mouseDown_, MouseHookOn); }

    THookCalls Calls();

private:
    void Raise(bool& flag, bool hookOn);

    CallLog& log_;
    bool hotKeyDown_ = false;
    bool mouseDown_ = false;
    int notice_ = -1;
};

} // namespace zorvic::testing
