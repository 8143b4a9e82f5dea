#pragma once
#include <QWidget>

class QLineEdit;

namespace zorvic {

// A pair of arrows that steps the number in an associated text field within a range. The field
// keeps its own text rules: the arrows only write the new number into it.
class TUpDown : public QWidget {
    Q_OBJECT
public:
    TUpDown(QLineEdit* associate, int min, int max, int position, QWidget* parent = nullptr);

    int Position() const { return position_; }
    void Step(int delta);

private:
    QLineEdit* associate_;
    int min_;
    int max_;
    int position_;
};

} // namespace zorvic
