#pragma once
#include <QWidget>

namespace zorvic {

// The overlay over the frozen screen on which a region is dragged. Created once, hidden.
class TDisPlayForm : public QWidget {
    Q_OBJECT
public:
    explicit TDisPlayForm(QWidget* parent = nullptr);
};

// The program's one selection overlay.
extern TDisPlayForm* DisPlayForm;

} // namespace zorvic
