#include "outputs/web_image_server.h"

#include "base/int_parsing.h"
#include "outputs/metrics_text.h"
#include "outputs/web_request_handler.h"

#include <QHostAddress>

namespace {

constexpr int PortWithoutNumber = 84;
constexpr int FirstFreePort = 1024;
// Enough for several browsers, not for one client to take every connection.
constexpr unsigned ConnectionsPerClient = 16;

QString Where(const WebServerStatus &status)
{
    const QString host = status.address.isEmpty() ? QStringLiteral("every local address") : status.address;
    return host + QStringLiteral(", port ") + QString::number(status.port);
}

} // namespace

QString WebServerHint(const WebServerStatus &status)
{
    if (status.listening)
        return QStringLiteral("The web server listens on ") + Where(status) + u'.';
    if (status.error.isEmpty())
        return QStringLiteral("The web server is off.");
    QString hint = QStringLiteral("The web server could not start on ") + Where(status) + QStringLiteral(": ")
        + status.error + u'.';
    if (status.port > 0 && status.port < FirstFreePort)
        hint += QStringLiteral(" Ports below 1024 need administrator rights here: uncheck \"Web server\", "
                               "enter a port of 1024 or above (for example 8081) and check it again.");
    return hint;
}

WebImageServer::WebImageServer(MimeTypeTable::Source types)
    : m_types(std::make_unique<const MimeTypeTable>(types)),
      m_server([this](const HttpRequest &request) { return answer(request); })
{
}

WebImageServer::~WebImageServer()
{
    m_server.stop();
}

bool WebImageServer::start(const QString &webFolder, const QString &addressText, const QString &portText)
{
    stop();
    m_status = WebServerStatus();
    m_status.address = addressText.trimmed();
    const int port = StrToIntDef(portText, PortWithoutNumber);
    m_status.port = quint16(qBound(0, port, 65535));
    if (port < 0 || port > 65535) {
        m_status.error = QStringLiteral("%1 is not a port number").arg(port);
        return false;
    }

    HttpServerOptions options;
    options.port = quint16(port);
    options.address = QHostAddress(QHostAddress::AnyIPv4);
    if (!m_status.address.isEmpty()) {
        options.address = QHostAddress(m_status.address);
        if (options.address.protocol() != QAbstractSocket::IPv4Protocol) {
            m_status.error = m_status.address + QStringLiteral(" is not an IPv4 address of this computer");
            return false;
        }
    }
    // Every client of a server bound to loopback has the same address.
    options.perIpConnectionLimit = options.address.isLoopback() ? 0 : ConnectionsPerClient;

    setWebFolder(webFolder);
    QString error;
    if (!m_server.start(options, &error)) {
        m_server.stop();
        m_status.error = error;
        return false;
    }
    m_status.listening = true;
    m_status.port = m_server.port();
    return true;
}

void WebImageServer::stop()
{
    m_server.stop();
    m_status.listening = false;
    m_status.error.clear();
}

void WebImageServer::setWebFolder(const QString &webFolder)
{
    auto folder = std::make_shared<const WebFolder>(webFolder);
    const std::unique_lock<std::shared_mutex> lock(m_webFolderMutex);
    m_webFolder.swap(folder);
}

std::shared_ptr<const WebFolder> WebImageServer::currentFolder() const
{
    const std::shared_lock<std::shared_mutex> lock(m_webFolderMutex);
    return m_webFolder;
}

QString WebImageServer::webFolder() const
{
    return currentFolder()->path();
}

HttpReply WebImageServer::answer(const HttpRequest &request)
{
    if (m_metrics.load() && request.path == u"/metrics")
        return HttpReply::bytes(200, MetricsContentType(), MetricsText(m_figures.snapshot()));
    return HTTPServerCommandGet(request, *currentFolder(), *m_types, m_serving);
}
