#pragma once
#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

namespace zorvic {

// The option pages' number fields: pale blue background, black text.
QLineEdit* NumberField(const QString& text, QWidget* parent, int left, int top, int width,
                       int height);

// A label in the pages' caption colour, sized to its text.
QLabel* CaptionLabel(const QString& text, QWidget* parent, int left, int top);

} // namespace zorvic
