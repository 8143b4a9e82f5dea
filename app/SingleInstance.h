#pragma once
#include <QObject>
#include <QString>

class QLocalServer;

namespace zorvic {

// Keeps one running copy per user, settings folder and display: a second copy only asks the
// first to show its main window and ends, so there is never a second hot-key owner. This is
// also how a user without a tray host brings a parked program back: start it again.
class TSingleInstance : public QObject {
    Q_OBJECT
public:
    explicit TSingleInstance(QObject* parent = nullptr);

    // True when another copy answered and was asked to show itself.
    bool AskRunningCopyToShow();
    // Becomes the running copy; ShowRequested is emitted whenever a later copy starts.
    void Listen();

signals:
    void ShowRequested();

private:
    QString name_;
    QLocalServer* server_ = nullptr;
};

} // namespace zorvic
