#include "SingleInstance.h"

#include "ConfigPaths.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <unistd.h>

namespace zorvic {

namespace {

constexpr int kAnswerWaitMs = 1000;
const QByteArray kShowRequest = "show\n";

QString ServerName() {
    const QByteArray identity = QByteArray::fromStdString(ConfigDirectory()) + '\n' +
                                qgetenv("DISPLAY") + '\n' + QByteArray::number(getuid());
    const QString digest =
        QCryptographicHash::hash(identity, QCryptographicHash::Sha1).toHex().left(16);
    // A private runtime folder keeps other users from answering in our place.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const QString folder = runtime.isEmpty() ? QDir::tempPath() : runtime;
    return folder + "/zorvic-" + digest;
}

} // namespace

TSingleInstance::TSingleInstance(QObject* parent) : QObject(parent), name_(ServerName()) {}

bool TSingleInstance::AskRunningCopyToShow() {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(kAnswerWaitMs)) return false;
    socket.write(kShowRequest);
    socket.waitForBytesWritten(kAnswerWaitMs);
    socket.disconnectFromServer();
    return true;
}

void TSingleInstance::Listen() {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // Nobody answered, so a socket file left here is from a copy that crashed.
    QLocalServer::removeServer(name_);
    server_->listen(name_);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* client = server_->nextPendingConnection()) {
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            emit ShowRequested();
        }
    });
}

} // namespace zorvic
