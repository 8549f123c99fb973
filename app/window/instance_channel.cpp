#include "app/window/instance_channel.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>

namespace vardane {

namespace {

// The running window's answer once it has the paths.
constexpr char kReceived = '+';
constexpr auto kStreamVersion = QDataStream::Qt_6_0;
// A sender that stalls mid-message is dropped after this long.
constexpr int kReadTimeoutMs = 10000;

} // namespace

instance_listener::instance_listener(QObject* parent) : QObject(parent), server_(new QLocalServer(this))
{
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &instance_listener::take_connection);
}

bool instance_listener::listen(const QString& name)
{
    QLocalServer::removeServer(name);
    return server_->listen(name);
}

void instance_listener::take_connection()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // A message may come in pieces: read it whole once all of it is here.
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            QDataStream in(socket);
            in.setVersion(kStreamVersion);
            in.startTransaction();
            QStringList paths;
            in >> paths;
            if (!in.commitTransaction()) return;
            socket->write(&kReceived, 1);
            socket->flush();
            socket->disconnectFromServer();
            if (!paths.isEmpty()) emit pathsArrived(paths);
        });
        QTimer::singleShot(kReadTimeoutMs, socket, [socket] { socket->abort(); });
    }
}

bool forward_paths(const QString& name, const QStringList& paths, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    // The window takes the lock a moment before it listens.
    for (;;) {
        socket.connectToServer(name);
        if (socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) break;
        if (deadline.hasExpired()) return false;
        QThread::msleep(100);
    }
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out.setVersion(kStreamVersion);
    out << paths;
    socket.write(message);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) return false;
    }
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) return false;
    }
    char answer = 0;
    return socket.getChar(&answer) && answer == kReceived;
}

QStringList absolute_paths(const QStringList& arguments, const QString& base)
{
    QStringList paths;
    for (const QString& argument : arguments) {
        if (!argument.isEmpty()) paths << QDir::cleanPath(QDir(base).absoluteFilePath(argument));
    }
    return paths;
}

} // namespace vardane
