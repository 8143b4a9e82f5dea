// The capture-mode controls: buttons and menu items kept in step, and the hot-key watch.
#include "ZorvicMain.h"

#include "hooklib/ZorvicMain.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QTimer>

namespace zorvic {

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

void TZorvicForm::StartHotKeyWatch() {
    EnableHotKeyHook();
    Timer1->start();
}

void TZorvicForm::StopHotKeyWatch() {
    DisableHotKeyHook();
    Timer1->stop();
}

} // namespace zorvic
