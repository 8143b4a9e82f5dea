#include "ShellOpen.h"

#include "MessageBoxes.h"

#include <QDir>
#include <QProcess>
#include <QUrl>
#include <QUrlQuery>

#include <chrono>

namespace zorvic {

namespace {

// xdg-open's exit status for an item that does not exist.
constexpr int kItemMissing = 2;
// Without a desktop environment xdg-open runs the viewer itself and ends with it, failing when
// the user closes the viewer's terminal, say. An opener that ran this long had opened the item.
constexpr auto kOpenerVerdictTime = std::chrono::seconds(10);

void TellNotOpened(const std::string& what, const std::string& why) {
    ShowMessage("无法打开" + what + "：" + why + "。");
}

// Runs the opener on `item`; `what` names the item for the user should it fail. Nothing owns the
// opener, so quitting the program does not end it, nor a viewer that it keeps running.
void OpenWithDesktop(const QString& item, const std::string& what) {
    auto* opener = new QProcess;
    opener->setStandardOutputFile(QProcess::nullDevice());
    const auto started = std::chrono::steady_clock::now();
    QObject::connect(opener, &QProcess::finished, opener,
                     [opener, what, started](int code, QProcess::ExitStatus status) {
                         opener->deleteLater();
                         if (status == QProcess::NormalExit && code == 0) return;
                         if (std::chrono::steady_clock::now() - started > kOpenerVerdictTime)
                             return;
                         TellNotOpened(what, code == kItemMissing ? "它不存在"
                                                                  : "系统中没有能打开它的程序");
                     });
    QObject::connect(opener, &QProcess::errorOccurred, opener,
                     [opener, what](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart) return;
                         opener->deleteLater();
                         TellNotOpened(what, "系统中没有 xdg-open（它在 xdg-utils 软件包中）");
                     });
    opener->start(QStringLiteral("xdg-open"), {item});
}

} // namespace

void OpenFileWithDesktop(const std::string& path) {
    // Absolute, so that a name beginning with "-" is not read as an option of the opener.
    const QString item =
        path.empty() ? QString() : QDir::current().absoluteFilePath(QString::fromStdString(path));
    OpenWithDesktop(item, "“" + path + "”");
}

void OpenMailComposer(const std::string& address, const std::string& subject) {
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(QString::fromStdString(address));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"), QString::fromStdString(subject));
    url.setQuery(query);
    OpenWithDesktop(url.toString(QUrl::FullyEncoded), "邮件程序（写信给" + address + "）");
}

void OpenWebAddress(const std::string& address) {
    const QUrl url(QString::fromStdString(address), QUrl::StrictMode);
    OpenWithDesktop(url.toString(QUrl::FullyEncoded), "网页“" + address + "”");
}

} // namespace zorvic
