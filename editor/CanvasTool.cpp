#include "CanvasTool.h"

#include <QApplication>
#include <QCursor>

namespace zorvic {

void TDragPointer::Show(Qt::CursorShape shape) {
    // Replaced rather than stacked, so one release always brings the default pointer back.
    if (shown_)
        QApplication::changeOverrideCursor(QCursor(shape));
    else
        QApplication::setOverrideCursor(QCursor(shape));
    shown_ = true;
}

void TDragPointer::Release() {
    if (!shown_) return;
    QApplication::restoreOverrideCursor();
    shown_ = false;
}

} // namespace zorvic
