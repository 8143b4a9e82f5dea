#include "XPointer.h"

#include "X11TestTools.h"

#include <stdexcept>

namespace zorvic::testing {

TXPointer::TXPointer() : display_(XOpenDisplay(nullptr)) {
    if (!display_) throw std::runtime_error("no X display for the pointer");
}

TXPointer::~TXPointer() {
    XCloseDisplay(display_);
}

void TXPointer::MoveTo(QPoint screen) {
    MovePointer(display_, TPoint{screen.x(), screen.y()});
}

void TXPointer::Press() {
    PressButton(display_, true);
}

void TXPointer::Release() {
    PressButton(display_, false);
}

} // namespace zorvic::testing
