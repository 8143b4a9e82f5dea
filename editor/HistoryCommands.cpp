// Undo, Redo and the shape list's repaint.
#include "EditorView.h"
#include "TSaveForm.h"
#include "ToolsPanel.h"

namespace zorvic {

void TSaveForm::UnDoMenuClick() {
    Pic->SetPicture(History.Undo());
    // Zoomed or not, the view shows the restored picture at its own size.
    Pic->SetControlSize(Pic->Picture().Width(), Pic->Picture().Height());
}

void TSaveForm::ReDoMenuClick() {
    Pic->SetPicture(History.Redo());
    Pic->SetControlSize(Pic->Picture().Width(), Pic->Picture().Height());
}

void TSaveForm::ReplayShapes() {
    DrawSteps.ReplayShapes(Pic->Picture(), TPoint{Pic->width(), Pic->height()},
                           ToolsPanel->ShapeKind);
    Pic->PictureChanged();
}

} // namespace zorvic
