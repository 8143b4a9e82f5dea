#include "CaptureDispatcher.h"

#include "CaptureEditor.h"
#include "ErrorBoundary.h"
#include "ScreenCapture.h"
#include "TDisPlayForm.h"
#include "TSelectAreaForm.h"

#include <QSocketNotifier>
#include <QWidget>

#include <unistd.h>

#include <algorithm>
#include <cstdint>

namespace zorvic {

namespace {

bool IsPickMode(CaptureMode mode) {
    return mode == CaptureMode::AxtiveObject || mode == CaptureMode::FixRegion;
}

} // namespace

TCaptureDispatcher::TCaptureDispatcher(ICaptureHost& host, ICaptureEditor& editor,
                                       TDisPlayForm& overlay, TSelectAreaForm& frame,
                                       THookCalls hooks, PlatformServices& platform)
    : host_(host), editor_(editor), overlay_(overlay), frame_(frame), hooks_(std::move(hooks)),
      platform_(platform) {
    pendingGrab_.setSingleShot(true);
    QObject::connect(&pendingGrab_, &QTimer::timeout, Guarded([this] {
        BackToIdleOnFailure([this] { RunCapture(pendingMode_); });
    }));
    overlay_.Connect(host_, editor_);
    const int notice = hooks_.NoticeDescriptor ? hooks_.NoticeDescriptor() : -1;
    if (notice >= 0) {
        notice_ = std::make_unique<QSocketNotifier>(notice, QSocketNotifier::Read);
        QObject::connect(notice_.get(), &QSocketNotifier::activated,
                         Guarded([this] { TakeNotice(); }));
    } else {
        host_.StartTimer1();
    }
}

TCaptureDispatcher::~TCaptureDispatcher() = default;

void TCaptureDispatcher::Timer1Timer() {
    BackToIdleOnFailure([this] {
        const std::optional<CaptureMode> mode = host_.CheckedMode();
        if (hooks_.GetDownHotKey() && mode) OnHotKey(*mode);
        // Also in the tick that armed the pick, so that the frame appears at once.
        if (PickArmed && mode && IsPickMode(*mode)) PickStep(*mode);
    });
}

void TCaptureDispatcher::TakeNotice() {
    // Emptied before the flags are read, so that a flag raised meanwhile brings another notice.
    std::uint64_t notices = 0;
    while (read(static_cast<int>(notice_->socket()), &notices, sizeof notices) > 0) {
    }
    Timer1Timer();
}

void TCaptureDispatcher::CutBtnClick() {
    SendCaptureHotKey(*platform_.Keys);
}

void TCaptureDispatcher::StartHotKeyWatch() {
    const std::optional<CaptureMode> mode = host_.CheckedMode();
    // The pick steps run in the pick modes only: in another mode its frame would stay up and the
    // hook library would hold the pointer with nothing left to take the click.
    if (PickArmed && !(mode && IsPickMode(*mode))) CancelPick();
    SetHotKeyHook(true);
    if (TimerNeeded()) host_.StartTimer1();
}

void TCaptureDispatcher::StopHotKeyWatch() {
    SetHotKeyHook(false);
    host_.StopTimer1();
}

void TCaptureDispatcher::SetHotKeyHook(bool on) {
    if (on)
        hooks_.EnableHotKeyHook();
    else
        hooks_.DisableHotKeyHook();
    hotKeyWatched_ = on;
}

void TCaptureDispatcher::WarmUp() {
    try {
        GrabScreen(capture_, platform_);
    } catch (const std::exception&) {
        // Only preparation: a screen that cannot be read is reported by the capture itself.
    }
}

void TCaptureDispatcher::BackToIdleOnFailure(const std::function<void()>& step) {
    try {
        step();
    } catch (...) {
        pendingGrab_.stop();
        if (PickArmed) CancelPick();
        // The hot key first: whatever the rest does, the next Ctrl+B is heard.
        StartHotKeyWatch();
        host_.CaptureCancelled();
        throw;
    }
}

void TCaptureDispatcher::OnHotKey(CaptureMode mode) {
    if (IsPickMode(mode)) {
        // The pick grabs at the click the user chooses; neither a delay nor a wait for the
        // screen would add anything.
        HideMainWindowIfAsked(false);
        ArmPick();
        return;
    }
    const int delay = std::max(0, host_.CaptureDelaySeconds().value_or(0)) * 1000;
    // Seconds of delay give the screen all the time it needs to show what the window covered.
    HideMainWindowIfAsked(delay == 0);
    if (delay == 0) return RunCapture(mode);
    // The hot key stays off while waiting, as it would after an immediate grab.
    StopHotKeyWatch();
    pendingMode_ = mode;
    pendingGrab_.start(delay);
}

void TCaptureDispatcher::HideMainWindowIfAsked(bool waitForScreen) {
    QWidget* window = host_.MainWindow();
    if (!host_.HideMainFormChecked() || !window) return;
    // Brought back by closing the editor, unless it is parked in the tray. A window that is not
    // on the screen (minimised, in the tray) leaves nothing to repaint.
    if (!waitForScreen || !platform_.Repaints || !window->isVisible() || window->isMinimized())
        return window->hide();
    platform_.Repaints->HideAndWait(window->winId(), [window] { window->hide(); });
}

void TCaptureDispatcher::RunCapture(CaptureMode mode) {
    switch (mode) {
    case CaptureMode::Region:
        return CaptureRegion();
    case CaptureMode::FullScreen:
        return CaptureFullScreen();
    case CaptureMode::ActiveWindow:
        return CaptureActiveWindow();
    case CaptureMode::AxtiveObject:
    case CaptureMode::FixRegion:
        return ArmPick();
    }
}

void TCaptureDispatcher::CaptureRegion() {
    GrabWithCursor();
    StopHotKeyWatch();
    const TRect screen = platform_.Screen->PrimaryScreen();
    overlay_.ShowFrozen(capture_, QRect(screen.Left, screen.Top, screen.Width(), screen.Height()));
}

void TCaptureDispatcher::CaptureFullScreen() {
    GrabWithCursor();
    StopHotKeyWatch();
    editor_.LoadFullScreen(capture_);
    editor_.Show();
}

void TCaptureDispatcher::CaptureActiveWindow() {
    TBitmap result;
    GrabWithCursor();
    CropActiveWindow(capture_, result, platform_);
    editor_.LoadPicture(result);
    StopHotKeyWatch();
    editor_.Show();
}

void TCaptureDispatcher::ArmPick() {
    PickArmed = true;
    hooks_.EnableMouseHook();
    SetHotKeyHook(false);
    host_.StartTimer1();
}

void TCaptureDispatcher::PickStep(CaptureMode mode) {
    const bool control = mode == CaptureMode::AxtiveObject;
    bool framed = true;
    if (control)
        framed = frame_.ShowControlFrame(platform_);
    else
        frame_.ShowFixedFrame(host_.FixedRegionWidth(), host_.FixedRegionHeight(), platform_);
    // Kept above everything, without taking the keyboard from the window being picked.
    if (framed) frame_.raise();
    if (!hooks_.GetMouseDown()) return;
    // A click over the bare desktop finds nothing to capture; the pick waits for the next one.
    if (!framed) return hooks_.SetMouseDown(false);

    TBitmap result;
    // The frame is still on the screen, but outside the part that is cut out.
    GrabWithCursor();
    PickArmed = false;
    frame_.hide();
    if (control)
        CropControl(capture_, result, platform_);
    else
        CropFixedRegion(capture_, result, {frame_.x(), frame_.y()}, host_.FixedRegionWidth(),
                        host_.FixedRegionHeight(), platform_);
    editor_.LoadPicture(result);
    editor_.Show();
    hooks_.SetMouseDown(false);
    hooks_.DisableMouseHook();
    host_.StopTimer1();
}

void TCaptureDispatcher::CancelPick() {
    PickArmed = false;
    frame_.hide();
    hooks_.SetMouseDown(false);
    // The library lets the pointer go with it.
    hooks_.DisableMouseHook();
    if (!TimerNeeded()) host_.StopTimer1();
}

void TCaptureDispatcher::GrabWithCursor() {
    GrabScreen(capture_, platform_);
    if (host_.IncludeCursorChecked()) DrawCursor(capture_, platform_);
}

} // namespace zorvic
