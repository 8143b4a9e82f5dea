#include "PenBrushButtons.h"

#include <QPainter>
#include <QPixmap>

namespace zorvic {

namespace {

constexpr QSize kIconSize{20, 16};

Qt::PenStyle QtPenStyle(TPenStyle style) {
    switch (style) {
    case TPenStyle::psSolid:
        return Qt::SolidLine;
    case TPenStyle::psDash:
        return Qt::DashLine;
    case TPenStyle::psDot:
        return Qt::DotLine;
    case TPenStyle::psDashDot:
        return Qt::DashDotLine;
    case TPenStyle::psDashDotDot:
        return Qt::DashDotDotLine;
    case TPenStyle::psClear:
        return Qt::NoPen;
    }
    return Qt::SolidLine;
}

Qt::BrushStyle QtBrushStyle(TBrushStyle style) {
    switch (style) {
    case TBrushStyle::bsSolid:
        return Qt::SolidPattern;
    case TBrushStyle::bsClear:
        return Qt::NoBrush;
    case TBrushStyle::bsHorizontal:
        return Qt::HorPattern;
    case TBrushStyle::bsVertical:
        return Qt::VerPattern;
    case TBrushStyle::bsFDiagonal:
        return Qt::FDiagPattern;
    case TBrushStyle::bsBDiagonal:
        return Qt::BDiagPattern;
    case TBrushStyle::bsCross:
        return Qt::CrossPattern;
    case TBrushStyle::bsDiagCross:
        return Qt::DiagCrossPattern;
    }
    return Qt::SolidPattern;
}

QPixmap BlankIcon() {
    QPixmap pixmap(kIconSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QIcon PenStyleIcon(TPenStyle style) {
    QPixmap pixmap = BlankIcon();
    QPainter painter(&pixmap);
    painter.setPen(QPen(Qt::black, 1, QtPenStyle(style)));
    painter.drawLine(1, kIconSize.height() / 2, kIconSize.width() - 2, kIconSize.height() / 2);
    return QIcon(pixmap);
}

QIcon BrushStyleIcon(TBrushStyle style) {
    QPixmap pixmap = BlankIcon();
    QPainter painter(&pixmap);
    painter.setPen(Qt::gray);
    painter.setBrush(QBrush(Qt::black, QtBrushStyle(style)));
    painter.drawRect(3, 1, kIconSize.height() - 3, kIconSize.height() - 3);
    return QIcon(pixmap);
}

} // namespace zorvic
