#pragma once
#include "OptionControls.h"

#include <QWidget>

class QButtonGroup;

namespace zorvic {

// The main window's left panel: the five capture-mode buttons (one is always down), the camera
// button and the capture button.
class TModePanel : public QWidget, public TModeButtons {
    Q_OBJECT
public:
    explicit TModePanel(QWidget* parent = nullptr);

private:
    QButtonGroup* modes_;
};

} // namespace zorvic
