#include "TSelectAreaForm.h"

#include <QRegion>

namespace zorvic {

TSelectAreaForm* SelectAreaForm = nullptr;

TSelectAreaForm::TSelectAreaForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::X11BypassWindowManagerHint | Qt::WindowTransparentForInput |
                          Qt::WindowDoesNotAcceptFocus) {
    setPalette(QPalette(Qt::blue));
    setAutoFillBackground(true);
}

QRegion FrameRing(int width, int height) {
    const QRegion outer(QRect(QPoint(2, 2), QPoint(width - 3, height - 3)));
    const QRegion hole(QRect(QPoint(5, 5), QPoint(width - 6, height - 6)));
    return outer.xored(hole);
}

void TSelectAreaForm::PlaceFrame(int left, int top, int width, int height) {
    setGeometry(left, top, width, height);
    // Twenty placements a second: an unchanged ring is not sent to the server again.
    const QRegion ring = FrameRing(width, height);
    if (mask() != ring) setMask(ring);
    show();
}

bool TSelectAreaForm::ShowControlFrame(PlatformServices& platform) {
    const WindowId window = platform.Windows->WindowAt(platform.Cursor->Position());
    const TRect r = platform.Windows->OuterRect(window);
    // A window that vanished meanwhile has no rectangle either.
    if (!window || r.Width() <= 0 || r.Height() <= 0) {
        hide();
        return false;
    }
    PlaceFrame(r.Left - 5, r.Top - 5, r.Width() + 10, r.Height() + 10);
    return true;
}

void TSelectAreaForm::ShowFixedFrame(int fixedWidth, int fixedHeight, PlatformServices& platform) {
    const TPoint p = platform.Cursor->Position();
    PlaceFrame(p.x - fixedWidth / 2, p.y - fixedHeight / 2, fixedWidth + 10, fixedHeight + 10);
}

} // namespace zorvic
