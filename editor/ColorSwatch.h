#pragma once
#include "TColor.h"

#include <QWidget>

namespace zorvic {

// A filled square showing one of the palette's two colours; any mouse button on it asks for a
// new colour.
class TColorSwatch : public QWidget {
    Q_OBJECT
public:
    TColorSwatch(TColor color, QWidget* parent);

    TColor Color() const { return color_; }
    void SetColor(TColor color);

signals:
    void MouseDown();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    TColor color_;
};

// The same colour as Qt names it, and back.
QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);

} // namespace zorvic
