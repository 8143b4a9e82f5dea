#include "ColorSwatch.h"

#include <QMouseEvent>
#include <QPainter>

namespace zorvic {

TColorSwatch::TColorSwatch(TColor color, QWidget* parent) : QWidget(parent), color_(color) {}

void TColorSwatch::SetColor(TColor color) {
    color_ = color;
    update();
}

void TColorSwatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(color_));
    // A dark outline keeps a white swatch visible on a light panel.
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TColorSwatch::mousePressEvent(QMouseEvent* event) {
    event->accept();
    emit MouseDown();
}

QColor ToQColor(TColor color) {
    return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

TColor FromQColor(const QColor& color) {
    return MakeColor(color.red(), color.green(), color.blue());
}

} // namespace zorvic
