#pragma once
#include "ScopedOverride.h"

#include <QObject>

#include <optional>

class QIcon;
class QMenu;
class QSystemTrayIcon;

namespace zorvic {

// The program's notification-area icon: a tool tip, a context menu on the right button and a
// signal for the left click.
class TTrayIcon : public QObject {
    Q_OBJECT
public:
    TTrayIcon(const QIcon& icon, const QString& toolTip, QMenu* menu, QObject* parent = nullptr);

    void Show();
    void Hide();
    bool IsShown() const;

    // Whether a tray host runs; without one the icon cannot be seen, and the program must keep
    // its main window reachable in other ways. Tests decide it with a TTrayHostOverride.
    static bool HostAvailable();

signals:
    void LeftClicked();

private:
    QSystemTrayIcon* icon_;
};

// Decides for as long as the object lives whether a tray host runs.
class TTrayHostOverride : public TScopedOverride<std::optional<bool>> {
public:
    explicit TTrayHostOverride(bool available);
};

} // namespace zorvic
