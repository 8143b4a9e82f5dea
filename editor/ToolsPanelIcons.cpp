#include "ToolsPanelIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace zorvic {

namespace {

constexpr int kSide = 16;

template <typename Draw> QIcon Drawn(Draw draw) {
    QPixmap pixmap(kSide, kSide);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1.2));
    draw(painter);
    return QIcon(pixmap);
}

void DrawMagnifier(QPainter& p) {
    p.drawEllipse(QRectF(2, 2, 8, 8));
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
}

} // namespace

QIcon ToolIcon(TTool tool) {
    return Drawn([tool](QPainter& p) {
        switch (tool) {
        case TTool::Line:
            p.drawLine(2, 14, 14, 2);
            break;
        case TTool::Rectangle:
            p.drawRect(2, 4, 12, 9);
            break;
        case TTool::RoundedRectangle:
            p.drawRoundedRect(QRectF(2, 4, 12, 9), 3, 3);
            break;
        case TTool::Oval:
            p.drawEllipse(QRectF(2, 4, 12, 9));
            break;
        case TTool::MagnifyingGlass:
            DrawMagnifier(p);
            break;
        case TTool::ImageScaling:
            DrawMagnifier(p);
            p.setPen(QPen(Qt::black, 1));
            p.drawLine(4, 6, 8, 6);
            p.drawLine(6, 4, 6, 8);
            break;
        case TTool::FreeTransform:
            p.drawPolygon(QPolygonF({{8, 1}, {15, 8}, {8, 15}, {1, 8}}));
            break;
        case TTool::Straw:
            p.setPen(QPen(Qt::black, 2));
            p.drawLine(3, 13, 11, 5);
            p.drawEllipse(QRectF(10, 2, 4, 4));
            break;
        case TTool::SprayGun:
            for (const QPointF dot : {QPointF(3, 4), QPointF(7, 2), QPointF(11, 5), QPointF(5, 8),
                                      QPointF(10, 10), QPointF(4, 13), QPointF(13, 13)})
                p.drawPoint(dot);
            break;
        case TTool::Translation:
            p.drawLine(8, 1, 8, 15);
            p.drawLine(1, 8, 15, 8);
            p.drawPolyline(QPolygonF({{5, 4}, {8, 1}, {11, 4}}));
            p.drawPolyline(QPolygonF({{5, 12}, {8, 15}, {11, 12}}));
            break;
        case TTool::TextTool: {
            QFont font = p.font();
            font.setPixelSize(13);
            font.setBold(true);
            p.setFont(font);
            p.drawText(QRect(0, 0, kSide, kSide), Qt::AlignCenter, QStringLiteral("A"));
            break;
        }
        case TTool::Handle: {
            QPainterPath hand;
            hand.addRoundedRect(QRectF(3, 6, 10, 9), 3, 3);
            for (int finger = 0; finger < 4; ++finger)
                hand.addRoundedRect(QRectF(3 + finger * 2.5, 2, 2, 6), 1, 1);
            p.drawPath(hand.simplified());
            break;
        }
        case TTool::None:
            break;
        }
    });
}

QIcon BlurToolIcon() {
    return Drawn([](QPainter& p) {
        QRadialGradient soft(8, 8, 7);
        soft.setColorAt(0, Qt::black);
        soft.setColorAt(1, Qt::transparent);
        p.setPen(Qt::NoPen);
        p.setBrush(soft);
        p.drawEllipse(QRectF(1, 1, 14, 14));
    });
}

QIcon ExchangeColorsIcon() {
    return Drawn([](QPainter& p) {
        p.drawArc(QRectF(3, 3, 18, 18), 90 * 16, 90 * 16);
        p.drawPolyline(QPolygonF({{10, 1}, {12, 3}, {10, 5}}));
        p.drawPolyline(QPolygonF({{1, 10}, {3, 12}, {5, 10}}));
    });
}

} // namespace zorvic
