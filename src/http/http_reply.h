#pragma once

#include "http/http_file.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

#include <functional>
#include <memory>

// What a handler answers. Besides a plain body the server can send an opened
// file, stream a body of known size piece by piece, hold a reply open
// forever, or drop the connection without answering (the last two exist for
// the simulated router's faults).
struct HttpReply {
    enum class Kind {
        Bytes, // status, headers and `body`
        File, // the opened `file`, its size as given
        Stream, // `streamSize` bytes asked from `stream` as they are sent
        NeverFinish, // `body` first, then one blank a second until the client
                     // goes away or the server stops; never complete
        CloseWithoutReply, // the connection is closed, nothing is sent
    };

    // Fills buffer with at most maxBytes bytes of the body from offset on and
    // returns how many it wrote (0 or less ends the reply with an error).
    // Runs on the server's threads.
    using StreamFiller = std::function<qint64(quint64 offset, char *buffer, qint64 maxBytes)>;

    Kind kind = Kind::Bytes;
    int status = 200;
    QByteArray contentType = QByteArrayLiteral("text/html; charset=utf-8");
    QByteArray body;
    std::shared_ptr<const HttpFile> file; // opened for reading; may be sent by other replies too
    quint64 streamSize = 0;
    StreamFiller stream;
    QList<QPair<QByteArray, QByteArray>> headers; // extra headers, in order

    static HttpReply bytes(int status, const QByteArray &contentType, const QByteArray &body);
    static HttpReply html(int status, const QString &html);
    // Sends file (null makes the reply fail with 500).
    static HttpReply openedFile(std::shared_ptr<const HttpFile> file, const QByteArray &contentType);
    static HttpReply streamed(quint64 size, const QByteArray &contentType, StreamFiller filler);
    static HttpReply neverFinish(const QByteArray &contentType, const QByteArray &firstPart);
    static HttpReply closeWithoutReply();

    HttpReply &withHeader(const QByteArray &name, const QByteArray &value);
};
