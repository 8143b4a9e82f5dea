#include "EditorToolBar.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>
#include <cmath>

namespace zorvic {

namespace {

const QColor kInk(40, 70, 130);
const QColor kPaper(250, 250, 245);
const QColor kAccent(220, 120, 30);

void DrawFloppy(QPainter& p) {
    p.setBrush(kInk);
    p.drawRoundedRect(5, 5, 22, 22, 2, 2);
    p.setBrush(kPaper);
    p.drawRect(9, 5, 14, 8);
    p.drawRect(9, 17, 14, 10);
}

void DrawArrow(QPainter& p, QPointF from, QPointF to) {
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::max(1.0, std::hypot(to.x() - from.x(), to.y() - from.y()));
    const QPointF n(-d.y(), d.x());
    p.drawLine(to, to - 5 * d + 4 * n);
    p.drawLine(to, to - 5 * d - 4 * n);
}

void DrawMagnifier(QPainter& p, bool plus, bool minus) {
    p.setBrush(kPaper);
    p.drawEllipse(5, 5, 17, 17);
    p.drawLine(19, 19, 27, 27);
    if (plus || minus) p.drawLine(9, 13, 18, 13);
    if (plus) p.drawLine(13, 9, 13, 18);
}

void DrawHalves(QPainter& p, bool sideBySide) {
    p.setBrush(kInk);
    if (sideBySide) {
        p.drawPolygon(QPolygonF({{14, 6}, {14, 26}, {4, 26}}));
        p.setBrush(kPaper);
        p.drawPolygon(QPolygonF({{18, 6}, {18, 26}, {28, 26}}));
    } else {
        p.drawPolygon(QPolygonF({{6, 14}, {26, 14}, {26, 4}}));
        p.setBrush(kPaper);
        p.drawPolygon(QPolygonF({{6, 18}, {26, 18}, {26, 28}}));
    }
}

void Draw(QPainter& p, TToolBarIcon icon) {
    switch (icon) {
    case TToolBarIcon::Save:
        DrawFloppy(p);
        break;
    case TToolBarIcon::Cancel:
        p.setPen(QPen(QColor(190, 40, 40), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(8, 8, 24, 24);
        p.drawLine(24, 8, 8, 24);
        break;
    case TToolBarIcon::SaveAs:
        DrawFloppy(p);
        p.setPen(QPen(kAccent, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(20, 28, 29, 19);
        break;
    case TToolBarIcon::Clipboard:
        p.setBrush(QColor(200, 160, 100));
        p.drawRoundedRect(6, 5, 20, 24, 2, 2);
        p.setBrush(kPaper);
        p.drawRect(9, 9, 14, 17);
        p.setBrush(kInk);
        p.drawRect(12, 3, 8, 5);
        break;
    case TToolBarIcon::Turn90: {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(6, 6, 20, 20), 180 * 16, -270 * 16);
        DrawArrow(p, QPointF(16, 6), QPointF(22, 6));
        break;
    }
    case TToolBarIcon::FlipHorizontal:
        DrawHalves(p, true);
        break;
    case TToolBarIcon::FlipVertical:
        DrawHalves(p, false);
        break;
    case TToolBarIcon::Enlarge:
        DrawMagnifier(p, true, false);
        break;
    case TToolBarIcon::Reduce:
        DrawMagnifier(p, false, true);
        break;
    case TToolBarIcon::ActualSize:
        p.setBrush(kPaper);
        p.drawRect(6, 6, 20, 20);
        p.drawText(QRectF(6, 6, 20, 20), Qt::AlignCenter, QStringLiteral("1:1"));
        break;
    }
}

} // namespace

QIcon ToolBarIcon(TToolBarIcon icon) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kInk, 2));
    Draw(painter, icon);
    return QIcon(pixmap);
}

} // namespace zorvic
