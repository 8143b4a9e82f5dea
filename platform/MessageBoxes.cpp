#include "MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace zorvic {

namespace {
TMessageBoxHandler& Handler() {
    static TMessageBoxHandler handler;
    return handler;
}
} // namespace

void ShowMessage(const std::string& text) {
    if (Handler()) {
        Handler()(text);
        return;
    }
    QMessageBox::information(QApplication::activeWindow(), QStringLiteral("Zorvic"),
                             QString::fromStdString(text), QMessageBox::Ok);
}

TMessageBoxOverride::TMessageBoxOverride(TMessageBoxHandler handler)
    : TScopedOverride(Handler(), std::move(handler)) {}

} // namespace zorvic
