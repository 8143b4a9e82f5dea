#include "UpDown.h"

#include "Errors.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace zorvic {

TUpDown::TUpDown(QLineEdit* associate, int min, int max, int position, QWidget* parent)
    : QWidget(parent), associate_(associate), min_(min), max_(max), position_(position) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const auto& [arrow, delta] : {std::pair{Qt::UpArrow, 1}, std::pair{Qt::DownArrow, -1}}) {
        auto* button = new QToolButton(this);
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        connect(button, &QToolButton::clicked, this, [this, delta = delta] { Step(delta); });
        layout->addWidget(button);
    }
}

void TUpDown::Step(int delta) {
    // Start from what the field shows, so typed numbers are stepped from, not overwritten.
    const int shown = StrToIntDef(associate_->text().toStdString(), position_);
    position_ = std::clamp(std::clamp(shown, min_, max_) + delta, min_, max_);
    associate_->setText(QString::number(position_));
}

} // namespace zorvic
