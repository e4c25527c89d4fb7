#include "shell/program/show_request_channel.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace {

const QByteArray Request = "show\n";
const QByteArray Reply = "shown\n";

// How long a second start waits for the running program.
constexpr int ConnectTries = 10; // the holder may be a moment from listening
constexpr int TryPauseMs = 200;
constexpr int ReplyWaitMs = 10000;

} // namespace

ShowRequestChannel::ShowRequestChannel(const QString &folder, QObject *parent)
    : QObject(parent), m_folder(folder), m_name(ServerName(folder)), m_server(this)
{
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &ShowRequestChannel::accept);
}

QString ShowRequestChannel::ServerName(const QString &folder)
{
    const QFileInfo info(folder);
    const QString canonical
        = info.canonicalFilePath().isEmpty() ? info.absoluteFilePath() : info.canonicalFilePath();
    const QString name = QStringLiteral("linewarden-")
        + QString::fromLatin1(
            QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha256).toHex().left(16));
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    // Without a runtime folder the toolkit's own place for sockets serves.
    return runtime.isEmpty() ? name : QDir(runtime).filePath(name);
}

bool ShowRequestChannel::listen()
{
    QLocalServer::removeServer(m_name);
    return m_server.listen(m_name);
}

void ShowRequestChannel::accept()
{
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
        readRequest(socket);
    }
}

void ShowRequestChannel::readRequest(QLocalSocket *socket)
{
    if (!socket->canReadLine()) {
        // Anything longer than a request without its line end is not one.
        if (socket->bytesAvailable() > Request.size())
            socket->abort();
        return;
    }
    if (socket->readLine() != Request) {
        socket->abort();
        return;
    }
    emit showRequested();
    socket->write(Reply);
    socket->disconnectFromServer();
}

bool ShowRequestChannel::AskToShow(const QString &folder)
{
    const QString name = ServerName(folder);
    QLocalSocket socket;
    for (int attempt = 0; attempt < ConnectTries; ++attempt) {
        socket.connectToServer(name);
        if (socket.waitForConnected(ReplyWaitMs))
            break;
        QThread::msleep(TryPauseMs);
    }
    if (socket.state() != QLocalSocket::ConnectedState)
        return false;
    socket.write(Request);
    if (!socket.waitForBytesWritten(ReplyWaitMs))
        return false;
    while (!socket.canReadLine() && socket.waitForReadyRead(ReplyWaitMs)) { }
    return socket.canReadLine() && socket.readLine() == Reply;
}
