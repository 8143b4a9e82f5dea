#include "HandTool.h"

#include "EditorView.h"
#include "TSaveForm.h"

namespace zorvic {

void THandTool::MouseDown(const TPointerAt& at) {
    HandDragging = true;
    HandStart = at.Control;
    pointer_.Show(Qt::SizeAllCursor);
}

void THandTool::MouseMove(const TPointerAt& at) {
    // The pointer is measured from the control, which each step moves along: the grab point
    // itself is never updated.
    form_.Pic->move(form_.Pic->pos() + at.Control - HandStart);
}

void THandTool::MouseUp(const TPointerAt&) {
    HandDragging = false;
    pointer_.Release();
}

} // namespace zorvic
