#include "demo/router_sessions.h"

#include <QRandomGenerator>

namespace {

constexpr int kRememberedFieldNames = 32;
constexpr int kMaxReturnPathLength = 2048;

// A path on this router: starts with one "/", holds no control characters
// (no header splitting) and is of reasonable length.
bool IsLocalPath(const QString &path)
{
    if (!path.startsWith(u'/') || path.startsWith(QStringLiteral("//")) || path.size() > kMaxReturnPathLength)
        return false;
    for (const QChar c : path) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || c.unicode() > 0x7e)
            return false;
    }
    return true;
}

} // namespace

QString RouterSessions::issueFieldName()
{
    const QString name = QStringLiteral("password_%1").arg(QRandomGenerator::global()->bounded(1000, 10000));
    m_fieldNames.append(name);
    while (m_fieldNames.size() > kRememberedFieldNames)
        m_fieldNames.removeFirst();
    return name;
}

bool RouterSessions::isIssuedFieldName(const QString &name) const
{
    return m_fieldNames.contains(name);
}

bool RouterSessions::admits(const HttpRequest &request) const
{
    const QString token = request.cookie(cookieName());
    return !token.isEmpty() && m_tokens.contains(token);
}

QString RouterSessions::returnPath(const HttpRequest &request, const QString &fallbackPath)
{
    const QString requested = request.formValue(QStringLiteral("return_to"));
    return IsLocalPath(requested) ? requested : fallbackPath;
}

HttpReply RouterSessions::welcome(const QString &target)
{
    const quint64 high = QRandomGenerator::global()->generate64();
    const quint64 low = QRandomGenerator::global()->generate64();
    const QString token = QStringLiteral("%1%2").arg(high, 16, 16, QChar(u'0')).arg(low, 16, 16, QChar(u'0'));
    m_tokens.insert(token);

    HttpReply reply = HttpReply::html(303,
        QStringLiteral("<html><body><a href=\"%1\">Continue</a></body></html>").arg(target.toHtmlEscaped()));
    reply.withHeader(QByteArrayLiteral("Location"), target.toLatin1());
    reply.withHeader(QByteArrayLiteral("Set-Cookie"),
        (cookieName() + u'=' + token + QStringLiteral("; Path=/; HttpOnly")).toLatin1());
    reply.withHeader(QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-store"));
    return reply;
}

void RouterSessions::closeAll()
{
    m_tokens.clear();
}
