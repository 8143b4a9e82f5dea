#include "ShellOpen.h"

#include <QDesktopServices>
#include <QUrl>
#include <QUrlQuery>

namespace zorvic {

void OpenFileWithDesktop(const std::string& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

void OpenMailComposer(const std::string& address, const std::string& subject) {
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(QString::fromStdString(address));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"), QString::fromStdString(subject));
    url.setQuery(query);
    QDesktopServices::openUrl(url);
}

void OpenWebAddress(const std::string& address) {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(address), QUrl::StrictMode));
}

} // namespace zorvic
