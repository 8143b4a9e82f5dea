#include "PicMouse.h"

#include "EditorView.h"
#include "ErrorBoundary.h"
#include "PointerReadout.h"
#include "TSaveForm.h"
#include "ToolsPanel.h"

#include <QMouseEvent>

namespace zorvic {

TPicMouse::TPicMouse(TSaveForm& form)
    : Hand(form), Magnifier(form), Spray(form), Straw(form), Shapes(form), Text(form), form_(form) {
    // The read-out follows the pointer with no button held, too.
    form.Pic->setMouseTracking(true);
    form.Pic->installEventFilter(this);
}

TCanvasTool* TPicMouse::CurrentTool() {
    switch (form_.ToolsPanel->CurrentTool()) {
    case TTool::Line:
    case TTool::Rectangle:
    case TTool::RoundedRectangle:
    case TTool::Oval:
        return &Shapes;
    case TTool::MagnifyingGlass:
        return &Magnifier;
    case TTool::SprayGun:
        return &Spray;
    case TTool::Straw:
        return &Straw;
    case TTool::TextTool:
        return &Text;
    case TTool::Handle:
        return &Hand;
    default:
        return nullptr;
    }
}

TPointerAt TPicMouse::At(QPoint control) const {
    return TPointerAt{control, form_.Pic->PicturePoint(control)};
}

void TPicMouse::PicMouseDown(QPoint control) {
    TCanvasTool* tool = CurrentTool();
    if (!tool) return;
    const TPointerAt at = At(control);
    // The release of the last drag was lost: it ends here, before the new one starts.
    if (tool->Dragging()) tool->MouseUp(at);
    tool->MouseDown(at);
}

void TPicMouse::PicMouseMove(QPoint control, bool buttonHeld) {
    const TPointerAt at = At(control);
    ShowPointerReadout(*form_.PicStatusBar, form_.Pic->Picture(), at.Picture);
    TCanvasTool* tool = CurrentTool();
    if (!tool || !tool->Dragging()) return;
    // A release that never arrived (a message box took the mouse meanwhile) ends the drag
    // here, rather than letting the tool go on with no button held.
    if (buttonHeld)
        tool->MouseMove(at);
    else
        tool->MouseUp(at);
}

void TPicMouse::PicMouseUp(QPoint control) {
    TCanvasTool* tool = CurrentTool();
    if (tool && tool->Dragging()) tool->MouseUp(At(control));
}

void TPicMouse::Dispatch(const QMouseEvent& event) {
    const QPoint control = event.position().toPoint();
    // One drag per press: a second button pressed during a drag starts nothing, and the drag
    // ends when the last button is let go.
    const bool othersHeld = (event.buttons() & ~event.button()) != Qt::NoButton;
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (!othersHeld) PicMouseDown(control);
        break;
    case QEvent::MouseMove:
        PicMouseMove(control, event.buttons() != Qt::NoButton);
        break;
    case QEvent::MouseButtonRelease:
        if (event.buttons() == Qt::NoButton) PicMouseUp(control);
        break;
    default:
        break;
    }
}

bool TPicMouse::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        break;
    default:
        return QObject::eventFilter(watched, event);
    }
    // This is the handlers' edge: an error abandons the step and is shown, the program goes on.
    try {
        Dispatch(*static_cast<QMouseEvent*>(event));
    } catch (const std::exception& error) {
        ReportError(error);
    }
    return true;
}

} // namespace zorvic
