#include "TDisPlayForm.h"

namespace zorvic {

TDisPlayForm* DisPlayForm = nullptr;

TDisPlayForm::TDisPlayForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {}

} // namespace zorvic
