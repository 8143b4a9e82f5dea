#include "WindowLookup.h"

#include <QApplication>
#include <QWidget>

namespace zorvic {

QWidget* FindTopLevelWindow(const std::string& title) {
    const QString wanted = QString::fromStdString(title);
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isWindow() && window->windowTitle() == wanted) return window;
    return nullptr;
}

void HideWindowTitled(const std::string& title) {
    if (QWidget* window = FindTopLevelWindow(title)) window->hide();
}

void ShowWindowTitled(const std::string& title) {
    if (QWidget* window = FindTopLevelWindow(title)) window->show();
}

} // namespace zorvic
