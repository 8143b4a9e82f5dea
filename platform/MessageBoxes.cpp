#include "MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace zorvic {

namespace {
std::function<void(const std::string&)>& Handler() {
    static std::function<void(const std::string&)> handler;
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

void SetMessageBoxHandler(std::function<void(const std::string&)> handler) {
    Handler() = std::move(handler);
}

} // namespace zorvic
