#include "PageStyle.h"

#include <QLabel>
#include <QLineEdit>

namespace zorvic {

QLineEdit* NumberField(const QString& text, QWidget* parent, int left, int top, int width,
                       int height) {
    auto* field = new QLineEdit(text, parent);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, QColor(234, 242, 251));
    palette.setColor(QPalette::Text, Qt::black);
    field->setPalette(palette);
    field->setGeometry(left, top, width, height);
    return field;
}

QLabel* CaptionLabel(const QString& text, QWidget* parent, int left, int top) {
    auto* label = new QLabel(text, parent);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(59, 90, 130));
    label->setPalette(palette);
    label->move(left, top);
    label->adjustSize();
    return label;
}

} // namespace zorvic
