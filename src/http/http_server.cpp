#include "http/http_server.h"

#include <microhttpd.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// The daemon's settings, chosen by measurement: two worker threads, bounded
// connections and a small per-connection memory budget that keeps huge
// request lines and headers from costing memory. The library clears that
// budget's memory for every request on a kept-alive connection, so its size
// is a cost per request too: 16 kB still takes a request line and headers
// of several kB (cookies included).
constexpr unsigned kThreadPoolSize = 2;
constexpr unsigned kConnectionLimit = 256;
constexpr unsigned kIdleTimeoutSeconds = 10;
constexpr size_t kConnectionMemoryLimit = 16 * 1024;
constexpr unsigned kListenBacklog = 128;
// Worker threads told apart by the replies prepared per thread; more than
// one server's threads, as a process may run several servers.
constexpr unsigned kPreparedSlots = 8;

// Form bodies are small; anything beyond this is read and thrown away.
constexpr quint64 kMaxFormBytes = 64 * 1024;
constexpr size_t kPostBufferSize = 8 * 1024;
constexpr size_t kStreamBlockSize = 32 * 1024;

// A reply that never finishes sends one blank this often, which is how a
// client that went away is noticed.
constexpr std::chrono::seconds kStallTick(1);

// What we note about one connection: whether its request line decoded to a
// NUL, which libmicrohttpd would otherwise hand on as a cut-short path.
struct ConnectionNote {
    bool sawNul = false;
};

// One request while it is being received.
struct RequestState {
    HttpRequest request;
    MHD_PostProcessor *post = nullptr;
    quint64 uploaded = 0;
    quint64 formBytes = 0;

    ~RequestState()
    {
        if (post)
            MHD_destroy_post_processor(post);
    }
};

// A reply that sends a file from a descriptor of its own, which the library
// closes when the reply is done with. It reads with offsets (sendfile, or
// pread where that cannot be used), so the descriptor may share its file
// position with others. The very file the handler opened and checked is
// sent, so a file replaced meanwhile is never torn.
MHD_Response *FileResponse(const HttpFile &file)
{
    const int fd = ::fcntl(file.handle(), F_DUPFD_CLOEXEC, 0);
    if (fd < 0)
        return nullptr;
    MHD_Response *response = MHD_create_response_from_fd64(file.size(), fd);
    if (!response)
        ::close(fd);
    return response;
}

void AddHeaders(MHD_Response *response, const HttpReply &reply)
{
    if (!reply.contentType.isEmpty())
        MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, reply.contentType.constData());
    for (const auto &header : reply.headers)
        MHD_add_response_header(response, header.first.constData(), header.second.constData());
}

// The replies made once for a file and queued again for every request that
// sends it with the same content type and headers; the library counts the
// connections still sending one and lets it go after the last. Each worker
// thread has a reply of its own: the library guards a reply with a lock,
// which threads sending the same one would keep contending for.
class PreparedFile final : public HttpFile::Prepared {
public:
    explicit PreparedFile(const HttpReply &reply) : m_contentType(reply.contentType), m_headers(reply.headers)
    {
        for (auto &response : m_responses)
            response.store(nullptr);
    }
    ~PreparedFile() override
    {
        for (auto &response : m_responses) {
            if (MHD_Response *made = response.load())
                MHD_destroy_response(made);
        }
    }
    PreparedFile(const PreparedFile &) = delete;
    PreparedFile &operator=(const PreparedFile &) = delete;

    // This thread's reply for file, made when first asked; null when it
    // cannot be made or reply asks for other headers.
    MHD_Response *responseFor(const HttpFile &file, const HttpReply &reply) const
    {
        if (reply.contentType != m_contentType || reply.headers != m_headers)
            return nullptr;
        static std::atomic<unsigned> threads { 0 };
        thread_local const unsigned slot = threads++ % kPreparedSlots;
        std::atomic<MHD_Response *> &kept = m_responses[slot];
        MHD_Response *response = kept.load(std::memory_order_acquire);
        if (response)
            return response;
        response = FileResponse(file);
        if (!response)
            return nullptr;
        AddHeaders(response, reply);
        MHD_Response *expected = nullptr;
        if (kept.compare_exchange_strong(expected, response, std::memory_order_acq_rel))
            return response;
        MHD_destroy_response(response);
        return expected;
    }

private:
    const QByteArray m_contentType;
    const QList<QPair<QByteArray, QByteArray>> m_headers;
    mutable std::array<std::atomic<MHD_Response *>, kPreparedSlots> m_responses;
};

// The reply prepared for reply's file (see PreparedFile); null when there
// is none to be had.
MHD_Response *PreparedResponse(const HttpReply &reply)
{
    const HttpFile &file = *reply.file;
    auto *prepared = static_cast<const PreparedFile *>(file.prepared());
    if (!prepared)
        prepared
            = static_cast<const PreparedFile *>(file.keepPrepared(std::make_unique<PreparedFile>(reply)));
    return prepared->responseFor(file, reply);
}

QByteArray ErrorPage(int status, const char *title)
{
    return QByteArrayLiteral("<html><head><title>Error</title></head><body><h1>") + QByteArray::number(status)
        + ' ' + title + QByteArrayLiteral("</h1></body></html>");
}

} // namespace

struct HttpServer::Private {
    // A reply held open: the part before the stall, then a blank per tick.
    struct StalledReply {
        Private *owner = nullptr;
        MHD_Connection *connection = nullptr;
        QByteArray firstPart;
        qsizetype sent = 0;
        bool blankOwed = true;
    };

    explicit Private(Handler h) : handler(std::move(h)) { }

    Handler handler;
    MHD_Daemon *daemon = nullptr;
    quint16 boundPort = 0;

    std::mutex logMutex;
    QString lastLogLine;

    // Held-open replies sleep suspended; the ticker wakes them once a tick.
    std::mutex stallMutex;
    std::condition_variable stallWake;
    std::vector<StalledReply *> suspended;
    bool stopping = false;
    std::thread ticker;

    void runTicker();
    void releaseStalledReplies();

    HttpReply answer(const HttpRequest &request) const;
    MHD_Result queue(MHD_Connection *connection, const HttpReply &reply);
    MHD_Response *createResponse(MHD_Connection *connection, const HttpReply &reply);

    // libmicrohttpd's callbacks.
    static MHD_Result onRequest(void *cls, MHD_Connection *connection, const char *url, const char *method,
        const char *version, const char *uploadData, size_t *uploadDataSize, void **requestContext);
    static void onRequestDone(
        void *cls, MHD_Connection *connection, void **requestContext, MHD_RequestTerminationCode code);
    static void onConnection(
        void *cls, MHD_Connection *connection, void **socketContext, MHD_ConnectionNotificationCode code);
    static size_t onUnescape(void *cls, MHD_Connection *connection, char *text);
    static void onLog(void *cls, const char *format, va_list arguments);
    static MHD_Result onValue(void *cls, MHD_ValueKind kind, const char *key, const char *value);
    static MHD_Result onHeader(void *cls, MHD_ValueKind kind, const char *key, const char *value);
    static MHD_Result onPostField(void *cls, MHD_ValueKind kind, const char *key, const char *filename,
        const char *contentType, const char *transferEncoding, const char *data, uint64_t offset,
        size_t size);
    static ssize_t readStream(void *cls, uint64_t offset, char *buffer, size_t max);
    static void freeStream(void *cls);
    static ssize_t readStalled(void *cls, uint64_t offset, char *buffer, size_t max);
    static void freeStalled(void *cls);
};

namespace {

ConnectionNote *NoteOf(MHD_Connection *connection)
{
    const auto *info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_SOCKET_CONTEXT);
    return info ? static_cast<ConnectionNote *>(info->socket_context) : nullptr;
}

// Fills a socket address for the options' address; false for an address
// family we cannot listen on.
bool ListenAddress(const HttpServerOptions &options, sockaddr_storage &storage, bool &ipv6, bool &dualStack)
{
    std::memset(&storage, 0, sizeof storage);
    ipv6 = false;
    dualStack = false;
    const QHostAddress &address = options.address;
    if (address == QHostAddress(QHostAddress::Any)) {
        ipv6 = dualStack = true;
        auto *in6 = reinterpret_cast<sockaddr_in6 *>(&storage);
        in6->sin6_family = AF_INET6;
        in6->sin6_addr = in6addr_any;
        in6->sin6_port = htons(options.port);
        return true;
    }
    if (address.protocol() == QAbstractSocket::IPv4Protocol) {
        auto *in4 = reinterpret_cast<sockaddr_in *>(&storage);
        in4->sin_family = AF_INET;
        in4->sin_addr.s_addr = htonl(address.toIPv4Address());
        in4->sin_port = htons(options.port);
        return true;
    }
    if (address.protocol() == QAbstractSocket::IPv6Protocol) {
        ipv6 = true;
        auto *in6 = reinterpret_cast<sockaddr_in6 *>(&storage);
        in6->sin6_family = AF_INET6;
        const Q_IPV6ADDR bytes = address.toIPv6Address();
        std::memcpy(&in6->sin6_addr, &bytes, sizeof bytes);
        in6->sin6_port = htons(options.port);
        return true;
    }
    return false;
}

} // namespace

MHD_Result HttpServer::Private::onValue(void *cls, MHD_ValueKind, const char *key, const char *value)
{
    auto *fields = static_cast<QList<HttpRequest::Field> *>(cls);
    fields->append({ QString::fromUtf8(key), value ? QString::fromUtf8(value) : QString() });
    return MHD_YES;
}

MHD_Result HttpServer::Private::onHeader(void *cls, MHD_ValueKind, const char *key, const char *value)
{
    auto *headers = static_cast<QList<QPair<QByteArray, QByteArray>> *>(cls);
    headers->append({ QByteArray(key), value ? QByteArray(value) : QByteArray() });
    return MHD_YES;
}

MHD_Result HttpServer::Private::onPostField(void *cls, MHD_ValueKind, const char *key, const char *,
    const char *, const char *, const char *data, uint64_t offset, size_t size)
{
    auto *state = static_cast<RequestState *>(cls);
    state->formBytes += size + std::strlen(key);
    if (state->formBytes > kMaxFormBytes)
        return MHD_NO; // stop parsing; the rest of the body is read and dropped
    const QString name = QString::fromUtf8(key);
    const QString piece = QString::fromUtf8(data, qsizetype(size));
    auto &form = state->request.form;
    if (offset > 0 && !form.isEmpty() && form.last().first == name)
        form.last().second += piece;
    else
        form.append({ name, piece });
    return MHD_YES;
}

MHD_Result HttpServer::Private::onRequest(void *cls, MHD_Connection *connection, const char *url,
    const char *method, const char *, const char *uploadData, size_t *uploadDataSize, void **requestContext)
{
    auto *self = static_cast<Private *>(cls);
    auto *state = static_cast<RequestState *>(*requestContext);

    // First call: the headers are in.
    if (!state) {
        state = new RequestState;
        *requestContext = state;
        HttpRequest &request = state->request;
        request.method = QByteArray(method);
        request.path = QString::fromUtf8(url);
        MHD_get_connection_values(connection, MHD_GET_ARGUMENT_KIND, &Private::onValue, &request.query);
        MHD_get_connection_values(connection, MHD_COOKIE_KIND, &Private::onValue, &request.cookies);
        MHD_get_connection_values(connection, MHD_HEADER_KIND, &Private::onHeader, &request.headers);
        if (request.method == "POST")
            state->post
                = MHD_create_post_processor(connection, kPostBufferSize, &Private::onPostField, state);
        return MHD_YES;
    }

    // Body pieces: form fields are parsed up to a limit, the rest dropped.
    if (*uploadDataSize != 0) {
        state->uploaded += *uploadDataSize;
        if (state->post && state->uploaded <= kMaxFormBytes
            && MHD_post_process(state->post, uploadData, *uploadDataSize) != MHD_YES) {
            MHD_destroy_post_processor(state->post);
            state->post = nullptr;
        }
        *uploadDataSize = 0;
        return MHD_YES;
    }

    // The whole request is in.
    const ConnectionNote *note = NoteOf(connection);
    if (note && note->sawNul) {
        HttpReply refused
            = HttpReply::bytes(400, QByteArrayLiteral("text/html"), ErrorPage(400, "Bad Request"));
        refused.withHeader(QByteArrayLiteral("Connection"), QByteArrayLiteral("close"));
        return self->queue(connection, refused);
    }
    return self->queue(connection, self->answer(state->request));
}

void HttpServer::Private::onRequestDone(
    void *, MHD_Connection *connection, void **requestContext, MHD_RequestTerminationCode)
{
    delete static_cast<RequestState *>(*requestContext);
    *requestContext = nullptr;
    if (ConnectionNote *note = NoteOf(connection))
        note->sawNul = false;
}

void HttpServer::Private::onConnection(
    void *, MHD_Connection *, void **socketContext, MHD_ConnectionNotificationCode code)
{
    if (code == MHD_CONNECTION_NOTIFY_STARTED) {
        *socketContext = new ConnectionNote;
    } else {
        delete static_cast<ConnectionNote *>(*socketContext);
        *socketContext = nullptr;
    }
}

size_t HttpServer::Private::onUnescape(void *, MHD_Connection *connection, char *text)
{
    const size_t length = MHD_http_unescape(text);
    if (std::memchr(text, 0, length)) {
        if (ConnectionNote *note = NoteOf(connection))
            note->sawNul = true;
    }
    return length;
}

void HttpServer::Private::onLog(void *cls, const char *format, va_list arguments)
{
    auto *self = static_cast<Private *>(cls);
    char line[512];
    std::vsnprintf(line, sizeof line, format, arguments);
    const std::lock_guard<std::mutex> lock(self->logMutex);
    self->lastLogLine = QString::fromLocal8Bit(line).trimmed();
}

HttpReply HttpServer::Private::answer(const HttpRequest &request) const
{
    // An exception must not unwind into the C library.
    try {
        return handler(request);
    } catch (...) {
        return HttpReply::bytes(500, QByteArrayLiteral("text/html"), ErrorPage(500, "Internal Server Error"));
    }
}

ssize_t HttpServer::Private::readStream(void *cls, uint64_t offset, char *buffer, size_t max)
{
    const auto *filler = static_cast<const HttpReply::StreamFiller *>(cls);
    qint64 written = 0;
    try {
        written = (*filler)(offset, buffer, qint64(max));
    } catch (...) {
        written = 0;
    }
    if (written <= 0)
        return MHD_CONTENT_READER_END_WITH_ERROR;
    return ssize_t(std::min<qint64>(written, qint64(max)));
}

void HttpServer::Private::freeStream(void *cls)
{
    delete static_cast<HttpReply::StreamFiller *>(cls);
}

ssize_t HttpServer::Private::readStalled(void *cls, uint64_t, char *buffer, size_t max)
{
    auto *stall = static_cast<StalledReply *>(cls);
    Private *self = stall->owner;
    const std::lock_guard<std::mutex> lock(self->stallMutex);
    if (self->stopping)
        return MHD_CONTENT_READER_END_WITH_ERROR;
    if (stall->sent < stall->firstPart.size()) {
        const size_t count = std::min(max, size_t(stall->firstPart.size() - stall->sent));
        std::memcpy(buffer, stall->firstPart.constData() + stall->sent, count);
        stall->sent += qsizetype(count);
        return ssize_t(count);
    }
    if (stall->blankOwed) {
        stall->blankOwed = false;
        buffer[0] = ' ';
        return 1;
    }
    // Sleep until the next tick; a suspended connection costs no CPU.
    stall->blankOwed = true;
    self->suspended.push_back(stall);
    MHD_suspend_connection(stall->connection);
    self->stallWake.notify_all();
    return 0;
}

void HttpServer::Private::freeStalled(void *cls)
{
    auto *stall = static_cast<StalledReply *>(cls);
    Private *self = stall->owner;
    {
        const std::lock_guard<std::mutex> lock(self->stallMutex);
        auto &list = self->suspended;
        list.erase(std::remove(list.begin(), list.end(), stall), list.end());
    }
    delete stall;
}

void HttpServer::Private::runTicker()
{
    std::unique_lock<std::mutex> lock(stallMutex);
    for (;;) {
        stallWake.wait(lock, [this] { return stopping || !suspended.empty(); });
        if (stopping)
            return;
        stallWake.wait_for(lock, kStallTick, [this] { return stopping; });
        if (stopping)
            return;
        for (StalledReply *stall : suspended)
            MHD_resume_connection(stall->connection);
        suspended.clear();
    }
}

void HttpServer::Private::releaseStalledReplies()
{
    // The daemon must not be stopped with suspended connections: wake them
    // all; their next read sees `stopping` and ends the reply.
    {
        const std::lock_guard<std::mutex> lock(stallMutex);
        stopping = true;
        for (StalledReply *stall : suspended)
            MHD_resume_connection(stall->connection);
        suspended.clear();
    }
    stallWake.notify_all();
    if (ticker.joinable())
        ticker.join();
}

MHD_Response *HttpServer::Private::createResponse(MHD_Connection *connection, const HttpReply &reply)
{
    switch (reply.kind) {
    case HttpReply::Kind::Bytes:
        return MHD_create_response_from_buffer(
            size_t(reply.body.size()), const_cast<char *>(reply.body.constData()), MHD_RESPMEM_MUST_COPY);
    case HttpReply::Kind::File:
        return reply.file ? FileResponse(*reply.file) : nullptr;
    case HttpReply::Kind::Stream: {
        if (!reply.stream)
            return nullptr;
        auto *filler = new HttpReply::StreamFiller(reply.stream);
        MHD_Response *response = MHD_create_response_from_callback(
            reply.streamSize, kStreamBlockSize, &Private::readStream, filler, &Private::freeStream);
        if (!response)
            delete filler;
        return response;
    }
    case HttpReply::Kind::NeverFinish: {
        auto *stall = new StalledReply;
        stall->owner = this;
        stall->connection = connection;
        stall->firstPart = reply.body;
        MHD_Response *response = MHD_create_response_from_callback(
            MHD_SIZE_UNKNOWN, 4096, &Private::readStalled, stall, &Private::freeStalled);
        if (!response)
            delete stall;
        return response;
    }
    case HttpReply::Kind::CloseWithoutReply:
        break;
    }
    return nullptr;
}

MHD_Result HttpServer::Private::queue(MHD_Connection *connection, const HttpReply &reply)
{
    // Returning MHD_NO makes the library close the connection unanswered.
    if (reply.kind == HttpReply::Kind::CloseWithoutReply)
        return MHD_NO;
    if (reply.kind == HttpReply::Kind::File && reply.file) {
        if (MHD_Response *prepared = PreparedResponse(reply))
            return MHD_queue_response(connection, unsigned(reply.status), prepared);
    }

    int status = reply.status;
    MHD_Response *response = createResponse(connection, reply);
    if (!response) {
        status = 500;
        const QByteArray page = ErrorPage(500, "Internal Server Error");
        response = MHD_create_response_from_buffer(
            size_t(page.size()), const_cast<char *>(page.constData()), MHD_RESPMEM_MUST_COPY);
        if (!response)
            return MHD_NO;
        MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, "text/html");
    } else {
        AddHeaders(response, reply);
    }
    const MHD_Result result = MHD_queue_response(connection, unsigned(status), response);
    MHD_destroy_response(response);
    return result;
}

HttpServer::HttpServer(Handler handler) : d(std::make_unique<Private>(std::move(handler))) { }

HttpServer::~HttpServer()
{
    stop();
}

bool HttpServer::start(const HttpServerOptions &options, QString *error)
{
    stop();

    sockaddr_storage address;
    bool ipv6 = false;
    bool dualStack = false;
    if (!ListenAddress(options, address, ipv6, dualStack)) {
        if (error)
            *error = QStringLiteral("cannot listen on %1").arg(options.address.toString());
        return false;
    }

    unsigned flags = MHD_USE_EPOLL_INTERNAL_THREAD | MHD_USE_ERROR_LOG | MHD_ALLOW_SUSPEND_RESUME;
    if (ipv6)
        flags |= MHD_USE_IPv6;
    if (dualStack)
        flags |= MHD_USE_DUAL_STACK;

    {
        const std::lock_guard<std::mutex> lock(d->logMutex);
        d->lastLogLine.clear();
    }
    d->stopping = false;
    d->daemon = MHD_start_daemon(flags, options.port, nullptr, nullptr, &Private::onRequest, d.get(),
        MHD_OPTION_SOCK_ADDR, reinterpret_cast<sockaddr *>(&address), MHD_OPTION_THREAD_POOL_SIZE,
        kThreadPoolSize, MHD_OPTION_CONNECTION_LIMIT, kConnectionLimit, MHD_OPTION_PER_IP_CONNECTION_LIMIT,
        options.perIpConnectionLimit, MHD_OPTION_CONNECTION_TIMEOUT, kIdleTimeoutSeconds,
        MHD_OPTION_CONNECTION_MEMORY_LIMIT, kConnectionMemoryLimit, MHD_OPTION_LISTEN_BACKLOG_SIZE,
        kListenBacklog, MHD_OPTION_NOTIFY_COMPLETED, &Private::onRequestDone, d.get(),
        MHD_OPTION_NOTIFY_CONNECTION, &Private::onConnection, d.get(), MHD_OPTION_UNESCAPE_CALLBACK,
        &Private::onUnescape, d.get(), MHD_OPTION_EXTERNAL_LOGGER, &Private::onLog, d.get(), MHD_OPTION_END);
    if (!d->daemon) {
        if (error) {
            const std::lock_guard<std::mutex> lock(d->logMutex);
            *error = d->lastLogLine.isEmpty()
                ? QStringLiteral("cannot listen on %1:%2").arg(options.address.toString()).arg(options.port)
                : d->lastLogLine;
        }
        return false;
    }
    const MHD_DaemonInfo *info = MHD_get_daemon_info(d->daemon, MHD_DAEMON_INFO_BIND_PORT);
    d->boundPort = info ? info->port : options.port;
    d->ticker = std::thread([this] { d->runTicker(); });
    return true;
}

void HttpServer::stop()
{
    if (!d->daemon)
        return;
    d->releaseStalledReplies();
    MHD_stop_daemon(d->daemon);
    d->daemon = nullptr;
    d->boundPort = 0;
}

bool HttpServer::isListening() const
{
    return d->daemon != nullptr;
}

quint16 HttpServer::port() const
{
    return d->boundPort;
}

int HttpServer::openConnections() const
{
    if (!d->daemon)
        return 0;
    const MHD_DaemonInfo *info = MHD_get_daemon_info(d->daemon, MHD_DAEMON_INFO_CURRENT_CONNECTIONS);
    return info ? int(info->num_connections) : 0;
}
