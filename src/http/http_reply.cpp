#include "http/http_reply.h"

#include <unistd.h>

#include <utility>

HttpFile::~HttpFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

int HttpFile::take()
{
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

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

HttpReply HttpReply::openedFile(int fd, quint64 size, const QByteArray &contentType)
{
    HttpReply reply;
    reply.kind = Kind::File;
    reply.contentType = contentType;
    if (fd >= 0)
        reply.file = std::make_shared<HttpFile>(fd, size);
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
