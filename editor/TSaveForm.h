#pragma once
#include <QWidget>

namespace zorvic {

// The editor window. Created once at start-up and hidden until a capture arrives.
class TSaveForm : public QWidget {
    Q_OBJECT
public:
    explicit TSaveForm(QWidget* parent = nullptr);
};

// The program's one editor.
extern TSaveForm* SaveForm;

} // namespace zorvic
