#pragma once
#include <QWidget>

namespace zorvic {

// The blue frame window that marks the rectangle about to be picked. Created once, hidden.
class TSelectAreaForm : public QWidget {
    Q_OBJECT
public:
    explicit TSelectAreaForm(QWidget* parent = nullptr);
};

// The program's one frame window.
extern TSelectAreaForm* SelectAreaForm;

} // namespace zorvic
