#pragma once
#include "TSaveForm.h"

#include <QEvent>
#include <QPoint>

#include <initializer_list>

class QToolButton;

namespace zorvic {
class TToolsPanel;
}

namespace zorvic::testing {

// Leaves exactly this tool of the palette down, clicking its button as a user would (a button
// already down stays down); no button leaves no tool down.
void ChooseTool(TSaveForm& form, QToolButton* TToolsPanel::*button);

// Mouse events on the editor's image control as the window system delivers them: moves carry
// the buttons held at that moment, and a release is sent to the control that saw the press,
// wherever the pointer is. Points are in the control's coordinates.
class TPictureMouse {
public:
    explicit TPictureMouse(TSaveForm& form) : form_(form) {}

    void Press(QPoint at, Qt::MouseButton button = Qt::LeftButton);
    void Move(QPoint at);
    void Release(QPoint at, Qt::MouseButton button = Qt::LeftButton);
    void Click(QPoint at);
    // Press at `from`, move through `via`, release at `to` (with no move to it first).
    void Drag(QPoint from, std::initializer_list<QPoint> via, QPoint to);

private:
    void Send(QEvent::Type type, QPoint at, Qt::MouseButton button);

    TSaveForm& form_;
    Qt::MouseButtons held_;
};

} // namespace zorvic::testing
