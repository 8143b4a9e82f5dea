#pragma once
#include <QWidget>

namespace zorvic {

// The camera window. Created once, hidden; the main window shows it modally.
class TVideoForm : public QWidget {
    Q_OBJECT
public:
    explicit TVideoForm(QWidget* parent = nullptr);

signals:
    // The user closed the window; whoever hid itself to show it comes back.
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;
};

// The program's one camera window.
extern TVideoForm* VideoForm;

} // namespace zorvic
