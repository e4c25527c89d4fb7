#include "http/http_reply.h"

#include <utility>

HttpReply HttpReply::bytes(int status, const QByteArray &contentType, const QByteArray &body)
{
    HttpReply reply;
    reply.status = status;
    reply.contentType = contentType;
    reply.body = body;
    return reply;
}

HttpReply HttpReply::html(int status, const QString &html)
{
    return bytes(status, QByteArrayLiteral("text/html; charset=utf-8"), html.toUtf8());
}

HttpReply HttpReply::openedFile(std::shared_ptr<const HttpFile> file, const QByteArray &contentType)
{
    HttpReply reply;
    reply.kind = Kind::File;
    reply.contentType = contentType;
    reply.file = std::move(file);
    return reply;
}

HttpReply HttpReply::streamed(quint64 size, const QByteArray &contentType, StreamFiller filler)
{
    HttpReply reply;
    reply.kind = Kind::Stream;
    reply.contentType = contentType;
    reply.streamSize = size;
    reply.stream = std::move(filler);
    return reply;
}

HttpReply HttpReply::neverFinish(const QByteArray &contentType, const QByteArray &firstPart)
{
    HttpReply reply;
    reply.kind = Kind::NeverFinish;
    reply.contentType = contentType;
    reply.body = firstPart;
    return reply;
}

HttpReply HttpReply::closeWithoutReply()
{
    HttpReply reply;
    reply.kind = Kind::CloseWithoutReply;
    return reply;
}

HttpReply &HttpReply::withHeader(const QByteArray &name, const QByteArray &value)
{
    headers.append({ name, value });
    return *this;
}
