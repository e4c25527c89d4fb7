#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QTcpSocket>

// One HTTP reply as it came over the wire.
struct RawHttpReply {
    bool answered = false; // any byte came back before the connection closed
    int status = 0;
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body; // de-chunked when the reply was chunked

    QByteArray header(const QByteArray &name) const; // name compared without case
    QString text() const { return QString::fromUtf8(body); }
};

// A deliberately plain HTTP client over one QTcpSocket to 127.0.0.1, for
// tests of our servers: it sends exactly the bytes it is given, so hostile
// requests can be written by hand. Waits are bounded by a generous limit
// only so that a broken server fails the test instead of hanging it.
class RawHttpClient {
public:
    explicit RawHttpClient(quint16 port);

    bool connectToServer();
    bool send(const QByteArray &bytes);

    // Reads until the received bytes contain needle; false when the
    // connection closed or the limit passed first.
    bool readUntil(const QByteArray &needle);

    // Reads until the server closes the connection and parses the reply.
    RawHttpReply readReply();

    // Sends one request with "Connection: close" and reads its reply.
    RawHttpReply exchange(const QByteArray &rawRequest);

    void close();
    const QByteArray &received() const { return m_received; }

    // Convenience: a GET or a form POST of target ("/path?query").
    static RawHttpReply get(quint16 port, const QByteArray &target, const QByteArray &extraHeaders = {});
    static RawHttpReply post(quint16 port, const QByteArray &target, const QByteArray &formBody,
        const QByteArray &extraHeaders = {});

private:
    quint16 m_port = 0;
    QTcpSocket m_socket;
    QByteArray m_received;
};

// The part of an HTML document between <body> and </body>: what the
// program's readers see as the body's HTML text.
QString BodyOf(const QString &document);
