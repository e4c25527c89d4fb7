#pragma once

#include "http/http_reply.h"
#include "http/http_request.h"

#include <QHostAddress>
#include <QString>

#include <functional>
#include <memory>

// Where and how an HttpServer listens.
struct HttpServerOptions {
    // One local address, QHostAddress::AnyIPv4 for every IPv4 address, or
    // QHostAddress::Any for every address of both families.
    QHostAddress address = QHostAddress(QHostAddress::LocalHost);
    quint16 port = 0; // 0: any free port; port() tells which
    unsigned perIpConnectionLimit = 16; // 0: no limit (servers that only loopback reaches)
};

// Our one HTTP server, over libmicrohttpd (an event-driven daemon with two
// worker threads). The handler runs on those worker threads, possibly on two
// at once: whatever it shares must be guarded. A request whose path or query
// holds an encoded NUL ("%00") is refused with 400 before the handler sees
// it. Stopping (or destroying) the server closes every connection, including
// replies that never finish.
class HttpServer final {
public:
    using Handler = std::function<HttpReply(const HttpRequest &)>;

    explicit HttpServer(Handler handler);
    ~HttpServer();
    HttpServer(const HttpServer &) = delete;
    HttpServer &operator=(const HttpServer &) = delete;

    // Starts listening; false with a one-line reason in error when the
    // address cannot be bound. A running server is stopped first.
    bool start(const HttpServerOptions &options, QString *error = nullptr);
    void stop();

    bool isListening() const;
    quint16 port() const; // the port actually bound; 0 when not listening
    int openConnections() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
