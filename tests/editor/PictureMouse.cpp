#include "PictureMouse.h"

#include "EditorView.h"
#include "ToolsPanel.h"

#include <QApplication>
#include <QMouseEvent>
#include <QToolButton>

namespace zorvic::testing {

void ChooseTool(TSaveForm& form, QToolButton* TToolsPanel::*button) {
    TToolsPanel& palette = *form.ToolsPanel;
    QToolButton* wanted = button ? palette.*button : nullptr;
    for (QToolButton* down : palette.sPanelTools->findChildren<QToolButton*>())
        if (down->isChecked() && down != wanted) down->click();
    if (wanted && !wanted->isChecked()) wanted->click();
}

void TPictureMouse::Send(QEvent::Type type, QPoint at, Qt::MouseButton button) {
    QMouseEvent event(type, QPointF(at), QPointF(form_.Pic->mapToGlobal(at)), button, held_,
                      Qt::NoModifier);
    QApplication::sendEvent(form_.Pic, &event);
}

void TPictureMouse::Press(QPoint at, Qt::MouseButton button) {
    held_ |= button;
    Send(QEvent::MouseButtonPress, at, button);
}

void TPictureMouse::Move(QPoint at) {
    Send(QEvent::MouseMove, at, Qt::NoButton);
}

void TPictureMouse::Release(QPoint at, Qt::MouseButton button) {
    held_ &= ~button;
    Send(QEvent::MouseButtonRelease, at, button);
}

void TPictureMouse::Click(QPoint at) {
    Press(at);
    Release(at);
}

void TPictureMouse::Drag(QPoint from, std::initializer_list<QPoint> via, QPoint to) {
    Press(from);
    for (QPoint point : via)
        Move(point);
    Release(to);
}

} // namespace zorvic::testing
