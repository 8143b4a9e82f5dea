#include "Tray.h"

#include <QMenu>
#include <QSystemTrayIcon>

namespace zorvic {

namespace {
std::optional<bool>& AvailabilityOverride() {
    static std::optional<bool> available;
    return available;
}
} // namespace

TTrayIcon::TTrayIcon(const QIcon& icon, const QString& toolTip, QMenu* menu, QObject* parent)
    : QObject(parent), icon_(new QSystemTrayIcon(icon, this)) {
    icon_->setToolTip(toolTip);
    icon_->setContextMenu(menu);
    connect(icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason why) {
                if (why == QSystemTrayIcon::Trigger) emit LeftClicked();
            });
}

void TTrayIcon::Show() {
    icon_->show();
}

void TTrayIcon::Hide() {
    icon_->hide();
}

bool TTrayIcon::IsShown() const {
    return icon_->isVisible();
}

bool TTrayIcon::HostAvailable() {
    if (AvailabilityOverride()) return *AvailabilityOverride();
    return QSystemTrayIcon::isSystemTrayAvailable();
}

TTrayHostOverride::TTrayHostOverride(bool available)
    : TScopedOverride(AvailabilityOverride(), available) {}

} // namespace zorvic
