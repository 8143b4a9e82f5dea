#include "EditorView.h"

#include "QtBitmapView.h"

#include <QPainter>

#include <algorithm>

namespace zorvic {

namespace {

long long FloorDiv(long long a, long long b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

long long CeilDiv(long long a, long long b) {
    return -FloorDiv(-a, b);
}

} // namespace

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

void TPictureView::PictureChanged(const TRect& area) {
    const QRect shown = PictureArea();
    const int width = std::max(picture_.Width(), 1), height = std::max(picture_.Height(), 1);
    // Rounded outwards, so a stretched display repaints every control pixel the area touches.
    const auto left = FloorDiv(static_cast<long long>(area.Left) * shown.width(), width);
    const auto right = CeilDiv(static_cast<long long>(area.Right) * shown.width(), width);
    const auto top = FloorDiv(static_cast<long long>(area.Top) * shown.height(), height);
    const auto bottom = CeilDiv(static_cast<long long>(area.Bottom) * shown.height(), height);
    const QRect dirty(QPoint(static_cast<int>(left), static_cast<int>(top)),
                      QPoint(static_cast<int>(right) - 1, static_cast<int>(bottom) - 1));
    update(dirty.translated(shown.topLeft()).intersected(rect()));
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

QRect TPictureView::PictureArea() const {
    if (stretch_) return rect();
    const QSize size(picture_.Width(), picture_.Height());
    if (!center_) return QRect(QPoint(0, 0), size);
    return QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
}

TPoint TPictureView::PicturePoint(QPoint controlPoint) const {
    const QRect shown = PictureArea();
    if (shown.isEmpty()) return TPoint{controlPoint.x(), controlPoint.y()};
    const QPoint offset = controlPoint - shown.topLeft();
    return TPoint{static_cast<int>(FloorDiv(static_cast<long long>(offset.x()) * picture_.Width(),
                                            shown.width())),
                  static_cast<int>(FloorDiv(static_cast<long long>(offset.y()) * picture_.Height(),
                                            shown.height()))};
}

void TPictureView::paintEvent(QPaintEvent*) {
    if (picture_.Empty()) return;
    QPainter painter(this);
    const QImage view = BitmapImageView(picture_);
    if (stretch_)
        painter.drawImage(rect(), view);
    else
        painter.drawImage(PictureArea().topLeft(), view);
}

} // namespace zorvic
