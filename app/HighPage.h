#pragma once
#include "OptionControls.h"

#include <QWidget>

namespace zorvic {

// The Advanced page ("高级"): autostart and what the close box does.
class THighPage : public QWidget, public THighControls {
    Q_OBJECT
public:
    explicit THighPage(QWidget* parent = nullptr);

    void HighBtnClick();
};

} // namespace zorvic
