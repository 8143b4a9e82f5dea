#include "CaptureDispatcher.h"

#include "CaptureEditor.h"
#include "ScreenCapture.h"
#include "TDisPlayForm.h"
#include "TSelectAreaForm.h"

#include <QWidget>

#include <algorithm>

namespace zorvic {

namespace {

// Long enough for the X server to unmap the hidden main window and for the windows under it to
// repaint before the grab.
constexpr int kHiddenWindowSettleMs = 200;

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
    QObject::connect(&pendingGrab_, &QTimer::timeout, [this] { RunCapture(pendingMode_); });
    overlay_.Connect(host_, editor_);
}

void TCaptureDispatcher::Timer1Timer() {
    const std::optional<CaptureMode> mode = host_.CheckedMode();
    if (hooks_.GetDownHotKey() && mode) OnHotKey(*mode);
    // Also in the tick that armed the pick, so that the frame appears at once.
    if (PickArmed && mode && IsPickMode(*mode)) PickStep(*mode);
}

void TCaptureDispatcher::CutBtnClick() {
    SendCaptureHotKey(*platform_.Keys);
}

void TCaptureDispatcher::StartHotKeyWatch() {
    hooks_.EnableHotKeyHook();
    host_.StartTimer1();
}

void TCaptureDispatcher::StopHotKeyWatch() {
    hooks_.DisableHotKeyHook();
    host_.StopTimer1();
}

void TCaptureDispatcher::WarmUp() {
    try {
        GrabScreen(capture_, platform_);
    } catch (const std::exception&) {
        // Only preparation: a screen that cannot be read is reported by the capture itself.
    }
}

void TCaptureDispatcher::OnHotKey(CaptureMode mode) {
    if (IsPickMode(mode)) {
        // The pick grabs at the click the user chooses; a delay would add nothing.
        HideMainWindowIfAsked();
        ArmPick();
        return;
    }
    const int wait = WaitBeforeGrab();
    if (wait == 0) return RunCapture(mode);
    // The hot key stays off while waiting, as it would after an immediate grab.
    StopHotKeyWatch();
    pendingMode_ = mode;
    pendingGrab_.start(wait);
}

int TCaptureDispatcher::WaitBeforeGrab() {
    const QWidget* mainWindow = host_.MainWindow();
    const bool mainWindowShown = mainWindow && mainWindow->isVisible();
    HideMainWindowIfAsked();
    const int delay = std::max(0, host_.CaptureDelaySeconds().value_or(0)) * 1000;
    const bool hidden = mainWindowShown && !mainWindow->isVisible();
    return std::max(delay, hidden ? kHiddenWindowSettleMs : 0);
}

void TCaptureDispatcher::HideMainWindowIfAsked() {
    // Brought back by closing the editor, unless it is parked in the tray.
    if (host_.HideMainFormChecked() && host_.MainWindow()) host_.MainWindow()->hide();
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
    hooks_.DisableHotKeyHook();
}

void TCaptureDispatcher::PickStep(CaptureMode mode) {
    const bool control = mode == CaptureMode::AxtiveObject;
    if (control)
        frame_.ShowControlFrame(platform_);
    else
        frame_.ShowFixedFrame(host_.FixedRegionWidth(), host_.FixedRegionHeight(), platform_);
    // Kept above everything, without taking the keyboard from the window being picked.
    frame_.raise();
    if (!hooks_.GetMouseDown()) return;

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

void TCaptureDispatcher::GrabWithCursor() {
    GrabScreen(capture_, platform_);
    if (host_.IncludeCursorChecked()) DrawCursor(capture_, platform_);
}

} // namespace zorvic
