#include "TVideoForm.h"

#include <QCloseEvent>

namespace zorvic {

TVideoForm* VideoForm = nullptr;

TVideoForm::TVideoForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("摄像头捕捉"));
    setFixedSize(711, 415);
}

void TVideoForm::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit Closed();
}

} // namespace zorvic
