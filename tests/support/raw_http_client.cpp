#include "support/raw_http_client.h"

#include <QDeadlineTimer>
#include <QHostAddress>

namespace {

constexpr int kLimitMs = 30000;

QByteArray Dechunk(const QByteArray &chunked)
{
    QByteArray body;
    qsizetype at = 0;
    while (at < chunked.size()) {
        const qsizetype lineEnd = chunked.indexOf("\r\n", at);
        if (lineEnd < 0)
            break;
        bool ok = false;
        const qsizetype size = chunked.mid(at, lineEnd - at).split(';').first().trimmed().toLongLong(&ok, 16);
        if (!ok || size == 0)
            break;
        body += chunked.mid(lineEnd + 2, size);
        at = lineEnd + 2 + size + 2;
    }
    return body;
}

} // namespace

QByteArray RawHttpReply::header(const QByteArray &name) const
{
    for (const auto &entry : headers) {
        if (entry.first.compare(name, Qt::CaseInsensitive) == 0)
            return entry.second;
    }
    return {};
}

RawHttpClient::RawHttpClient(quint16 port) : m_port(port) { }

bool RawHttpClient::connectToServer()
{
    m_socket.connectToHost(QHostAddress(QHostAddress::LocalHost), m_port);
    return m_socket.waitForConnected(kLimitMs);
}

bool RawHttpClient::send(const QByteArray &bytes)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const qint64 n = m_socket.write(bytes.constData() + written, bytes.size() - written);
        if (n < 0)
            return false;
        written += n;
        while (m_socket.bytesToWrite() > 0) {
            if (!m_socket.waitForBytesWritten(kLimitMs))
                return m_socket.state() == QAbstractSocket::ConnectedState && m_socket.bytesToWrite() == 0;
        }
    }
    return true;
}

bool RawHttpClient::readUntil(const QByteArray &needle)
{
    const QDeadlineTimer deadline(kLimitMs);
    while (!m_received.contains(needle)) {
        if (deadline.hasExpired())
            return false;
        if (!m_socket.waitForReadyRead(int(deadline.remainingTime()))) {
            m_received += m_socket.readAll();
            return m_received.contains(needle);
        }
        m_received += m_socket.readAll();
    }
    return true;
}

RawHttpReply RawHttpClient::readReply()
{
    const QDeadlineTimer deadline(kLimitMs);
    while (m_socket.state() == QAbstractSocket::ConnectedState && !deadline.hasExpired()) {
        if (m_socket.waitForReadyRead(int(deadline.remainingTime())))
            m_received += m_socket.readAll();
    }
    m_received += m_socket.readAll();

    RawHttpReply reply;
    reply.answered = !m_received.isEmpty();
    const qsizetype headEnd = m_received.indexOf("\r\n\r\n");
    if (headEnd < 0)
        return reply;
    const QList<QByteArray> lines = m_received.left(headEnd).split('\n');
    const QList<QByteArray> statusLine = lines.first().trimmed().split(' ');
    reply.status = statusLine.size() > 1 ? statusLine.at(1).toInt() : 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines.at(i).indexOf(':');
        if (colon > 0)
            reply.headers.append({ lines.at(i).left(colon).trimmed(), lines.at(i).mid(colon + 1).trimmed() });
    }
    reply.body = m_received.mid(headEnd + 4);
    if (reply.header("Transfer-Encoding").compare("chunked", Qt::CaseInsensitive) == 0)
        reply.body = Dechunk(reply.body);
    return reply;
}

RawHttpReply RawHttpClient::exchange(const QByteArray &rawRequest)
{
    if (!connectToServer() || !send(rawRequest))
        return readReply();
    return readReply();
}

void RawHttpClient::close()
{
    m_socket.abort();
}

RawHttpReply RawHttpClient::get(quint16 port, const QByteArray &target, const QByteArray &extraHeaders)
{
    RawHttpClient client(port);
    return client.exchange(
        "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n" + extraHeaders + "\r\n");
}

RawHttpReply RawHttpClient::post(
    quint16 port, const QByteArray &target, const QByteArray &formBody, const QByteArray &extraHeaders)
{
    RawHttpClient client(port);
    return client.exchange("POST " + target
        + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n"
          "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: "
        + QByteArray::number(formBody.size()) + "\r\n" + extraHeaders + "\r\n" + formBody);
}

QString BodyOf(const QString &document)
{
    const qsizetype open = document.indexOf(QStringLiteral("<body>"));
    const qsizetype close = document.lastIndexOf(QStringLiteral("</body>"));
    if (open < 0 || close < open)
        return {};
    return document.mid(open + 6, close - open - 6);
}
