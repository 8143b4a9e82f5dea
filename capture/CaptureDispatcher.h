#pragma once
#include "CaptureHost.h"
#include "HookCalls.h"
#include "PlatformServices.h"
#include "TBitmap.h"

#include <QTimer>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace zorvic {

class ICaptureEditor;
class TDisPlayForm;
class TSelectAreaForm;

// The capture trigger: the tick that notices the hot key, the sequence of each capture mode and
// the pick that follows the mouse. The tick runs when the hook library gives notice of a press or
// a click, and every 50 ms of Timer1 while a pick is armed (or always, where the library gives no
// notice). One capture at a time: the hot key stays off from the press until the editor closes
// (or the overlay is cancelled).
class TCaptureDispatcher {
public:
    TCaptureDispatcher(ICaptureHost& host, ICaptureEditor& editor, TDisPlayForm& overlay,
                       TSelectAreaForm& frame, THookCalls hooks, PlatformServices& platform);
    ~TCaptureDispatcher();

    // The tick. A capture that fails is put back to the idle state (pick dropped, hot key on, main
    // window back) before its error goes on to the caller's error boundary.
    void Timer1Timer();
    // The Capture button: a synthesised Ctrl+B, taken up by the next tick.
    void CutBtnClick();
    // Also what choosing a mode does: a pick armed in a pick mode is dropped when another mode is
    // chosen, its frame hidden and the pointer let go.
    void StartHotKeyWatch();
    void StopHotKeyWatch();
    // Makes the first capture as quick as the later ones: sizes the capture bitmap and sets up
    // the shared memory with the X server ahead of time, which at 4K costs a third of a second.
    void WarmUp();

    // From the hot key in a pick mode until that pick's capture.
    bool PickArmed = false;
    // The hot key is switched on. The main window switches it on at start, before this exists.
    bool HotKeyWatched() const { return hotKeyWatched_; }
    // A capture waiting for its delay.
    bool CapturePending() const { return pendingGrab_.isActive(); }

private:
    void TakeNotice();
    void OnHotKey(CaptureMode mode);
    void HideMainWindowIfAsked(bool waitForScreen);
    void RunCapture(CaptureMode mode);
    void CaptureRegion();
    void CaptureFullScreen();
    void CaptureActiveWindow();
    void ArmPick();
    void PickStep(CaptureMode mode);
    void CancelPick();
    void GrabWithCursor();
    void SetHotKeyHook(bool on);
    // Timer1 ticks while a pick follows the mouse, and always when no notice comes.
    bool TimerNeeded() const { return PickArmed || !notice_; }
    // Runs `step`; when it throws, puts the capture back to the idle state and lets the error on.
    void BackToIdleOnFailure(const std::function<void()>& step);

    ICaptureHost& host_;
    ICaptureEditor& editor_;
    TDisPlayForm& overlay_;
    TSelectAreaForm& frame_;
    THookCalls hooks_;
    PlatformServices& platform_;
    // Kept from capture to capture: the grab reuses its pixel store instead of allocating a
    // whole screen each time.
    TBitmap capture_;
    QTimer pendingGrab_;
    CaptureMode pendingMode_ = CaptureMode::Region;
    std::unique_ptr<QSocketNotifier> notice_;
    bool hotKeyWatched_ = true;
};

} // namespace zorvic
