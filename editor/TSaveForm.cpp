#include "TSaveForm.h"

namespace zorvic {

TSaveForm* SaveForm = nullptr;

TSaveForm::TSaveForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("图像编辑"));
}

} // namespace zorvic
