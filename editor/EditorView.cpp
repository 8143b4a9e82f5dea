#include "EditorView.h"

#include "QtBitmapView.h"

#include <QPainter>

namespace zorvic {

TPictureView::TPictureView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Pic"));
    // The picture covers the control; nothing behind it needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    resize(0, 0);
}

void TPictureView::PictureChanged() {
    if (autoSize_) resize(picture_.Width(), picture_.Height());
    update();
}

void TPictureView::SetPicture(const TBitmap& picture) {
    picture_ = picture;
    PictureChanged();
}

void TPictureView::SetAutoSize(bool on) {
    autoSize_ = on;
    PictureChanged();
}

void TPictureView::SetStretch(bool on) {
    stretch_ = on;
    update();
}

void TPictureView::SetControlSize(int width, int height) {
    if (!autoSize_) resize(width, height);
}

void TPictureView::paintEvent(QPaintEvent*) {
    if (picture_.Empty()) return;
    QPainter painter(this);
    const QImage view = BitmapImageView(picture_);
    if (stretch_) {
        painter.drawImage(rect(), view);
    } else if (center_) {
        painter.drawImage(QPoint((width() - view.width()) / 2, (height() - view.height()) / 2),
                          view);
    } else {
        painter.drawImage(QPoint(0, 0), view);
    }
}

} // namespace zorvic
