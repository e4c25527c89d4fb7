#include "demo/router_state.h"

RouterState::RouterState(quint32 seed, const QString &password) : m_line(seed), m_password(password) { }

const LineFigures &RouterState::nextStatistics()
{
    m_line.advance(kSecondsPerStatisticsPage);
    ++m_statisticsServed;
    return m_line.figures();
}

HttpReply RouterPage(const QString &html, int status)
{
    // A router's pages are never to be taken from a cache.
    HttpReply reply = HttpReply::html(status, html);
    reply.withHeader(
        QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-cache, no-store, must-revalidate"));
    reply.withHeader(QByteArrayLiteral("Pragma"), QByteArrayLiteral("no-cache"));
    return reply;
}

HttpReply RouterNotFound()
{
    return RouterPage(QStringLiteral("<html><head><title>Error</title></head><body><h1>Not Found</h1>"
                                     "<p>The page you asked for is not on this Home Hub.</p></body></html>"),
        404);
}

HttpReply RouterMethodNotAllowed()
{
    HttpReply reply = RouterPage(
        QStringLiteral(
            "<html><head><title>Error</title></head><body><h1>Method Not Allowed</h1></body></html>"),
        405);
    reply.withHeader(QByteArrayLiteral("Allow"), QByteArrayLiteral("GET, HEAD, POST"));
    return reply;
}
