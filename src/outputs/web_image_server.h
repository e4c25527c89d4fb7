#pragma once

#include "http/http_server.h"
#include "outputs/mime_types.h"
#include "outputs/published_figures.h"
#include "outputs/web_folder_file.h"
#include "outputs/web_serving.h"

#include <QString>

#include <atomic>
#include <memory>
#include <shared_mutex>

// Where the web server was asked to listen and how that went.
struct WebServerStatus {
    bool listening = false;
    QString address; // as asked; empty for every local address
    quint16 port = 0; // the port bound, or the one asked for when it failed
    QString error; // why it is not listening, when starting failed
};

// The cbWeb hint: where the server listens, or why it could not start (with
// the way out when the port needs administrator rights), or that it is off.
QString WebServerHint(const WebServerStatus &status);

// The web image server: publishes the files of the web folder (404 and 403
// pages as HTTPServerCommandGet gives them) and, while /metrics is switched
// on, the line figures at /metrics, answered from memory. The content type
// table is built when this is created, before any start.
class WebImageServer final {
public:
    explicit WebImageServer(MimeTypeTable::Source types = MimeTypeTable::Source::BuiltInAndSystem);
    ~WebImageServer();
    WebImageServer(const WebImageServer &) = delete;
    WebImageServer &operator=(const WebImageServer &) = delete;

    // Listens on addressText (empty: every local IPv4 address) and the port
    // in portText (84 when it holds no number), serving webFolder. A failed
    // start leaves the server stopped; status() tells why.
    bool start(const QString &webFolder, const QString &addressText, const QString &portText);
    void stop();
    bool isListening() const { return m_server.isListening(); }

    // The folder every request from now on is answered from, also while the
    // server listens: a request already running keeps the folder it began
    // with.
    void setWebFolder(const QString &webFolder);
    QString webFolder() const;
    const WebServerStatus &status() const { return m_status; }

    // Whether GET /metrics gives the line figures rather than a file.
    void setMetrics(bool on) { m_metrics.store(on); }
    bool metrics() const { return m_metrics.load(); }

    WebServing &serving() { return m_serving; }
    PublishedFiguresStore &figures() { return m_figures; }
    const MimeTypeTable &types() const { return *m_types; }

private:
    HttpReply answer(const HttpRequest &request);
    std::shared_ptr<const WebFolder> currentFolder() const;

    const std::unique_ptr<const MimeTypeTable> m_types;
    WebServing m_serving;
    PublishedFiguresStore m_figures;
    std::atomic<bool> m_metrics { false };
    // Read by the requests on the server's threads, written on the window's;
    // a request keeps the folder it took for as long as it runs.
    mutable std::shared_mutex m_webFolderMutex;
    std::shared_ptr<const WebFolder> m_webFolder = std::make_shared<const WebFolder>(QString());
    WebServerStatus m_status;
    HttpServer m_server; // last: stopped before the rest goes
};
