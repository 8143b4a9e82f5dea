#include "AppIcons.h"

#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace zorvic {

namespace {

const QColor kInk(40, 70, 120);
const QColor kAccent(60, 140, 220);
const QColor kPaper(250, 252, 255);

// Every image is drawn on a 32-unit grid and scaled to its pixel size.
QPixmap Draw(int size, const std::function<void(QPainter&)>& paint) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    paint(painter);
    return pixmap;
}

void Window(QPainter& p, const QRectF& frame, const QColor& titleBar) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(kPaper);
    p.drawRect(frame);
    p.fillRect(QRectF(frame.left(), frame.top(), frame.width(), 5), titleBar);
}

void Monitor(QPainter& p) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(kAccent.lighter(150));
    p.drawRoundedRect(QRectF(3, 4, 26, 18), 2, 2);
    p.drawLine(QPointF(16, 22), QPointF(16, 27));
    p.drawLine(QPointF(10, 28), QPointF(22, 28));
}

void DashedSelection(QPainter& p, const QRectF& rect) {
    p.setPen(QPen(QColor(200, 40, 40), 1.5, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect);
}

void Lens(QPainter& p, const QPointF& centre, double radius) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(kAccent);
    p.drawEllipse(centre, radius, radius);
    p.setBrush(kInk);
    p.drawEllipse(centre, radius / 2, radius / 2);
}

void Camera(QPainter& p) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(3, 9, 26, 18), 3, 3);
    p.drawRect(QRectF(11, 5, 10, 4));
    Lens(p, QPointF(16, 18), 6);
}

void ScreenCapture(QPainter& p) {
    Monitor(p);
    p.setPen(QPen(QColor(200, 40, 40), 2));
    const QPointF corners[] = {{7, 8}, {25, 8}, {25, 18}, {7, 18}};
    for (const QPointF& c : corners) {
        const double dx = c.x() < 16 ? 4 : -4, dy = c.y() < 13 ? 3 : -3;
        p.drawLine(c, c + QPointF(dx, 0));
        p.drawLine(c, c + QPointF(0, dy));
    }
}

void PaintPanelImage(QPainter& p, TPanelImage image) {
    switch (image) {
    case TPanelImage::ActiveWindow:
        Window(p, QRectF(7, 9, 20, 16), kInk.lighter(170));
        Window(p, QRectF(3, 4, 20, 16), kAccent);
        break;
    case TPanelImage::FullScreen:
        Monitor(p);
        break;
    case TPanelImage::Region:
        Monitor(p);
        DashedSelection(p, QRectF(8, 8, 12, 9));
        break;
    case TPanelImage::FixRegion:
        DashedSelection(p, QRectF(5, 7, 22, 16));
        p.setPen(QPen(kInk, 1.5));
        p.drawLine(QPointF(5, 27), QPointF(27, 27));
        p.drawLine(QPointF(5, 25), QPointF(5, 29));
        p.drawLine(QPointF(27, 25), QPointF(27, 29));
        break;
    case TPanelImage::Control:
        Window(p, QRectF(3, 4, 26, 22), kAccent);
        p.setPen(QPen(QColor(30, 60, 230), 2));
        p.setBrush(kAccent.lighter(160));
        p.drawRect(QRectF(8, 14, 16, 7));
        break;
    case TPanelImage::Camera:
        Camera(p);
        break;
    case TPanelImage::Capture:
        ScreenCapture(p);
        break;
    }
}

void PaintMenuImage(QPainter& p, TMenuImage image) {
    switch (image) {
    case TMenuImage::StartCapture:
        ScreenCapture(p);
        break;
    case TMenuImage::Quit:
        p.setPen(QPen(QColor(190, 30, 30), 5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 8), QPointF(24, 24));
        p.drawLine(QPointF(24, 8), QPointF(8, 24));
        break;
    case TMenuImage::About:
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        p.drawEllipse(QRectF(2, 2, 28, 28));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(14, 7, 4, 4));
        p.drawRoundedRect(QRectF(14, 13, 4, 12), 1.5, 1.5);
        break;
    case TMenuImage::Mail:
        p.setPen(QPen(kInk, 2));
        p.setBrush(kPaper);
        p.drawRect(QRectF(3, 7, 26, 18));
        p.drawPolyline(QPolygonF({QPointF(3, 7), QPointF(16, 18), QPointF(29, 7)}));
        break;
    }
}

} // namespace

QPixmap PanelImage(TPanelImage image) {
    return Draw(32, [image](QPainter& p) { PaintPanelImage(p, image); });
}

QPixmap MenuImage(TMenuImage image) {
    return Draw(16, [image](QPainter& p) { PaintMenuImage(p, image); });
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addPixmap(Draw(size, [](QPainter& p) {
            p.setPen(Qt::NoPen);
            p.setBrush(kInk);
            p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
            Lens(p, QPointF(16, 16), 10);
            p.setPen(QPen(Qt::white, 2.5));
            p.drawArc(QRectF(9, 9, 14, 14), 100 * 16, 70 * 16);
        }));
    return icon;
}

} // namespace zorvic
