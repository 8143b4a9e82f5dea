#pragma once
#include "CaptureHost.h"
#include "HookCalls.h"
#include "PlatformServices.h"
#include "TBitmap.h"

#include <QTimer>

namespace zorvic {

class ICaptureEditor;
class TDisPlayForm;
class TSelectAreaForm;

// The capture trigger: the 50 ms poll of the hot key, the sequence of each capture mode and the
// pick that follows the mouse. One capture at a time: the hot key stays off from the press until
// the editor closes (or the overlay is cancelled).
class TCaptureDispatcher {
public:
    TCaptureDispatcher(ICaptureHost& host, ICaptureEditor& editor, TDisPlayForm& overlay,
                       TSelectAreaForm& frame, THookCalls hooks = LibraryHookCalls(),
                       PlatformServices& platform = Platform());

    // The tick of Timer1.
    void Timer1Timer();
    // The Capture button: a synthesised Ctrl+B, taken up by the next tick.
    void CutBtnClick();
    void StartHotKeyWatch();
    void StopHotKeyWatch();
    // Makes the first capture as quick as the later ones: sizes the capture bitmap and sets up
    // the shared memory with the X server ahead of time, which at 4K costs a third of a second.
    void WarmUp();

    // From the hot key in a pick mode until that pick's capture.
    bool PickArmed = false;
    // A capture waiting for its delay or for the hidden main window to leave the screen.
    bool CapturePending() const { return pendingGrab_.isActive(); }

private:
    void OnHotKey(CaptureMode mode);
    // How long to wait before grabbing; hides the main window when asked.
    int WaitBeforeGrab();
    void HideMainWindowIfAsked();
    void RunCapture(CaptureMode mode);
    void CaptureRegion();
    void CaptureFullScreen();
    void CaptureActiveWindow();
    void ArmPick();
    void PickStep(CaptureMode mode);
    void GrabWithCursor();

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
};

} // namespace zorvic
