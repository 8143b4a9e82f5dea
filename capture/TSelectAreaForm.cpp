#include "TSelectAreaForm.h"

namespace zorvic {

TSelectAreaForm* SelectAreaForm = nullptr;

TSelectAreaForm::TSelectAreaForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setPalette(QPalette(Qt::blue));
    setAutoFillBackground(true);
}

} // namespace zorvic
