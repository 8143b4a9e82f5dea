// The capture-mode controls: buttons and menu items kept in step, the hot-key watch and the
// capture that the watch triggers.
#include "ZorvicMain.h"

#include "CaptureDispatcher.h"
#include "SaveFormEditor.h"
#include "TSaveForm.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QTimer>

namespace zorvic {

namespace {
constexpr int kCaptureWarmUpDelayMs = 500;
} // namespace

void TZorvicForm::SelectMode(QAction* item, QPushButton* button) {
    if (item->isChecked()) return;
    button->setChecked(true);
    for (QAction* mode : {ActiveWindow, FullScreen, Region, FixRegion, AxtiveObject})
        mode->setChecked(mode == item);
    StartHotKeyWatch();
}

void TZorvicForm::ActiveWindowClick() {
    SelectMode(ActiveWindow, ActiveWindowBtn);
}

void TZorvicForm::FullScreenClick() {
    SelectMode(FullScreen, FullScreenBtn);
}

void TZorvicForm::RegionClick() {
    SelectMode(Region, RegionBtn);
}

void TZorvicForm::FixRegionClick() {
    SelectMode(FixRegion, FixRegionBtn);
}

void TZorvicForm::AxtiveObjectClick() {
    SelectMode(AxtiveObject, AxtiveObjectBtn);
}

// The menu item alone decides whether captures show the cursor; the check box only sets it.
void TZorvicForm::IncludeCursorClick() {
    IncludeCursor->setChecked(!IncludeCursor->isChecked());
}

void TZorvicForm::IncludeMouseClick() {
    IncludeCursor->setChecked(IncludeMouse->isChecked());
}

// The dispatcher decides whether Timer1 runs: only while a pick follows the mouse, since the hook
// library gives notice of the hot key. Choosing a mode drops a pick armed for another one.
void TZorvicForm::StartHotKeyWatch() {
    if (capture_) return capture_->StartHotKeyWatch();
    hooks_.EnableHotKeyHook();
}

void TZorvicForm::StopHotKeyWatch() {
    if (capture_) return capture_->StopHotKeyWatch();
    hooks_.DisableHotKeyHook();
}

void TZorvicForm::Timer1Timer() {
    if (capture_) capture_->Timer1Timer();
}

void TZorvicForm::CutBtnClick() {
    // Unless the hot key is watched, a capture is under way, and the synthesised Ctrl+B would
    // reach the focused window instead: this one, whose "开始截图" item would send it again, over
    // and over.
    if (!capture_ || !capture_->HotKeyWatched() || capture_->PickArmed) return;
    capture_->CutBtnClick();
}

void TZorvicForm::ConnectCapture(TSaveForm& editor, TDisPlayForm& overlay, TSelectAreaForm& frame) {
    editor.SetHost(this);
    captureEditor_ = std::make_unique<TSaveFormEditor>(editor);
    capture_ = std::make_unique<TCaptureDispatcher>(*this, *captureEditor_, overlay, frame, hooks_,
                                                    platform_);
    // Once the windows are up and the program is idle.
    QTimer::singleShot(kCaptureWarmUpDelayMs, this, [this] {
        if (capture_) capture_->WarmUp();
    });
}

void TZorvicForm::DisconnectCapture() {
    capture_.reset();
    captureEditor_.reset();
}

} // namespace zorvic
