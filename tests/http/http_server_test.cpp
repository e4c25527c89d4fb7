#include "http/http_server.h"

#include "support/qt_printers.h"
#include "support/raw_http_client.h"
#include "support/temp_data_dir.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

#include <fcntl.h>

#include <atomic>
#include <mutex>

namespace {

// A server on 127.0.0.1 whose handler records what it was given.
class HttpServerTest : public ::testing::Test {
protected:
    void start(HttpServer::Handler handler)
    {
        server = std::make_unique<HttpServer>([this, handler](const HttpRequest &request) {
            {
                const std::lock_guard<std::mutex> lock(mutex);
                seen.append(request);
            }
            return handler(request);
        });
        QString error;
        ASSERT_TRUE(server->start(HttpServerOptions(), &error)) << error.toStdString();
        port = server->port();
    }

    QList<HttpRequest> requests()
    {
        const std::lock_guard<std::mutex> lock(mutex);
        return seen;
    }

    // Waits (bounded) until the server holds no connection any more.
    bool connectionsClose()
    {
        const QDeadlineTimer deadline(30000);
        while (server->openConnections() > 0 && !deadline.hasExpired())
            QThread::msleep(20);
        return server->openConnections() == 0;
    }

    std::mutex mutex;
    QList<HttpRequest> seen;
    std::unique_ptr<HttpServer> server;
    quint16 port = 0;
};

HttpReply Hello(const HttpRequest &)
{
    return HttpReply::html(200, QStringLiteral("<p>hello</p>"));
}

TEST_F(HttpServerTest, HandsTheRequestToTheHandlerAndSendsItsReply)
{
    start([](const HttpRequest &) {
        HttpReply reply = HttpReply::bytes(201, QByteArrayLiteral("text/plain"), QByteArrayLiteral("made"));
        reply.withHeader(QByteArrayLiteral("X-Router"), QByteArrayLiteral("yes"));
        return reply;
    });

    const RawHttpReply get = RawHttpClient::get(port, "/a%20b/c.html?active%5fpage=9118&nav%5fclear=1&flag",
        "Cookie: SESSIONID=abc; other=1\r\nX-Test: value\r\n");
    EXPECT_EQ(get.status, 201);
    EXPECT_EQ(get.header("Content-Type"), QByteArrayLiteral("text/plain"));
    EXPECT_EQ(get.header("X-Router"), QByteArrayLiteral("yes"));
    EXPECT_EQ(get.body, QByteArrayLiteral("made"));

    const RawHttpReply post
        = RawHttpClient::post(port, "/login", "password_1234=se%26cret&return_to=%2Fx%3Fa%3D1");
    EXPECT_EQ(post.status, 201);

    const QList<HttpRequest> all = requests();
    ASSERT_EQ(all.size(), 2);
    const HttpRequest &first = all.at(0);
    EXPECT_EQ(first.method, QByteArrayLiteral("GET"));
    EXPECT_EQ(first.path, QStringLiteral("/a b/c.html"));
    EXPECT_EQ(first.queryValue(QStringLiteral("active_page")), QStringLiteral("9118"));
    EXPECT_EQ(first.queryValue(QStringLiteral("nav_clear")), QStringLiteral("1"));
    EXPECT_TRUE(first.hasQuery(QStringLiteral("flag")));
    EXPECT_FALSE(first.hasQuery(QStringLiteral("missing")));
    EXPECT_EQ(first.cookie(QStringLiteral("SESSIONID")), QStringLiteral("abc"));
    EXPECT_EQ(first.header("x-test"), QByteArrayLiteral("value"));

    const HttpRequest &second = all.at(1);
    EXPECT_EQ(second.method, QByteArrayLiteral("POST"));
    EXPECT_EQ(second.formValue(QStringLiteral("password_1234")), QStringLiteral("se&cret"));
    EXPECT_EQ(second.formValue(QStringLiteral("return_to")), QStringLiteral("/x?a=1"));
}

TEST_F(HttpServerTest, ListensOnAFreePortOnlyWhileItLives)
{
    start(&Hello);
    ASSERT_NE(port, 0);
    EXPECT_TRUE(server->isListening());
    EXPECT_EQ(RawHttpClient::get(port, "/").status, 200);

    // The port is taken now: a second server cannot have it and says why.
    HttpServer second(&Hello);
    HttpServerOptions options;
    options.port = port;
    QString error;
    EXPECT_FALSE(second.start(options, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(second.isListening());

    server.reset();
    RawHttpClient client(port);
    EXPECT_FALSE(client.connectToServer());
}

TEST_F(HttpServerTest, SendsTheFileItWasHandedEvenWhenReplacedMeanwhile)
{
    TempDataDir dir;
    ASSERT_TRUE(dir.writeFile(QStringLiteral("noise.jpg"), QByteArray(100000, 'a')));
    ASSERT_TRUE(dir.writeFile(QStringLiteral("fresh.jpg"), QByteArrayLiteral("new picture")));
    start([&dir](const HttpRequest &) {
        const int fd = ::open(
            QFile::encodeName(dir.filePath(QStringLiteral("noise.jpg"))).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return HttpReply::html(404, QStringLiteral("missing"));
        // A new image is renamed over the old one after we opened it.
        QFile::remove(dir.filePath(QStringLiteral("noise.jpg")));
        QFile::rename(dir.filePath(QStringLiteral("fresh.jpg")), dir.filePath(QStringLiteral("noise.jpg")));
        return HttpReply::openedFile(std::make_shared<HttpFile>(fd, 100000), QByteArrayLiteral("image/jpeg"));
    });

    const RawHttpReply reply = RawHttpClient::get(port, "/noise.jpg");
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.header("Content-Type"), QByteArrayLiteral("image/jpeg"));
    EXPECT_EQ(reply.header("Content-Length"), QByteArrayLiteral("100000"));
    EXPECT_EQ(reply.body, QByteArray(100000, 'a'));
}

TEST_F(HttpServerTest, StreamsALargeBodyPieceByPiece)
{
    constexpr quint64 size = 8 * 1024 * 1024 + 7;
    start([](const HttpRequest &) {
        return HttpReply::streamed(size, QByteArrayLiteral("application/octet-stream"),
            [](quint64 offset, char *buffer, qint64 maxBytes) {
                const qint64 count = qint64(std::min<quint64>(size - offset, quint64(maxBytes)));
                for (qint64 i = 0; i < count; ++i)
                    buffer[i] = char('a' + (offset + quint64(i)) % 26);
                return count;
            });
    });

    const RawHttpReply reply = RawHttpClient::get(port, "/big");
    EXPECT_EQ(reply.status, 200);
    ASSERT_EQ(quint64(reply.body.size()), size);
    bool pattern = true;
    for (qsizetype i = 0; i < reply.body.size() && pattern; ++i)
        pattern = reply.body.at(i) == char('a' + i % 26);
    EXPECT_TRUE(pattern);
}

TEST_F(HttpServerTest, AReplyThatNeverFinishesHoldsNothingElseUp)
{
    start([](const HttpRequest &request) {
        if (request.path == u"/stall")
            return HttpReply::neverFinish(
                QByteArrayLiteral("text/html"), QByteArrayLiteral("<html><body>wait"));
        return Hello(request);
    });

    RawHttpClient stalled(port);
    ASSERT_TRUE(stalled.connectToServer());
    ASSERT_TRUE(stalled.send("GET /stall HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"));
    ASSERT_TRUE(stalled.readUntil("<html><body>wait"));
    EXPECT_TRUE(stalled.received().startsWith("HTTP/1.1 200"));
    // Blanks keep trickling in while the page stays unfinished.
    EXPECT_TRUE(stalled.readUntil("1\r\n \r\n")) << stalled.received().toStdString();

    // Meanwhile other clients are served.
    EXPECT_EQ(RawHttpClient::get(port, "/").text(), QStringLiteral("<p>hello</p>"));

    // The client gives up: the server lets go of the connection.
    stalled.close();
    EXPECT_TRUE(connectionsClose());

    // A reply still held when the server stops does not keep it from stopping.
    RawHttpClient second(port);
    ASSERT_TRUE(second.connectToServer());
    ASSERT_TRUE(second.send("GET /stall HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"));
    ASSERT_TRUE(second.readUntil("wait"));
    server->stop();
    EXPECT_FALSE(server->isListening());
    second.readReply();
    EXPECT_FALSE(second.received().endsWith("0\r\n\r\n")); // cut off, not a completed chunked body
}

TEST_F(HttpServerTest, ClosesTheConnectionWithoutAReplyWhenAsked)
{
    start([](const HttpRequest &request) {
        if (request.path == u"/drop")
            return HttpReply::closeWithoutReply();
        return Hello(request);
    });

    const RawHttpReply dropped = RawHttpClient::get(port, "/drop");
    EXPECT_FALSE(dropped.answered);
    EXPECT_EQ(RawHttpClient::get(port, "/").status, 200);
}

TEST_F(HttpServerTest, HostileRequestsNeverReachOrBreakTheServer)
{
    std::atomic<int> calls { 0 };
    start([&calls](const HttpRequest &request) -> HttpReply {
        ++calls;
        if (request.path == u"/throw")
            throw std::runtime_error("handler failed");
        return Hello(request);
    });

    // An encoded NUL would cut the path short: refused before the handler.
    EXPECT_EQ(RawHttpClient::get(port, "/noise.jpg%00.html").status, 400);
    EXPECT_EQ(RawHttpClient::get(port, "/a?x=%00").status, 400);
    EXPECT_EQ(calls.load(), 0);

    // Oversized request lines and headers cost the server nothing lasting.
    const RawHttpReply longLine = RawHttpClient::get(port, "/" + QByteArray(1024 * 1024, 'a'));
    EXPECT_TRUE(!longLine.answered || longLine.status >= 400);
    const RawHttpReply hugeHeader
        = RawHttpClient::get(port, "/", "X-Big: " + QByteArray(200 * 1024, 'b') + "\r\n");
    EXPECT_TRUE(!hugeHeader.answered || hugeHeader.status >= 400);
    RawHttpClient manyHeaders(port);
    QByteArray request = "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\n";
    for (int i = 0; i < 20000; ++i)
        request += "X-" + QByteArray::number(i) + ": v\r\n";
    const RawHttpReply many = manyHeaders.exchange(request + "\r\n");
    EXPECT_TRUE(!many.answered || many.status >= 400);

    // Junk instead of HTTP, and a handler that throws.
    RawHttpClient junk(port);
    ASSERT_TRUE(junk.connectToServer());
    junk.send(QByteArray("\x00\xff\x16\x03\x01 junk\r\n\r\n", 15));
    junk.close();
    EXPECT_EQ(RawHttpClient::get(port, "/throw").status, 500);

    // A form body far beyond any login form is read and thrown away.
    const RawHttpReply bigForm = RawHttpClient::post(port, "/", "a=" + QByteArray(2 * 1024 * 1024, 'x'));
    EXPECT_EQ(bigForm.status, 200);

    EXPECT_EQ(RawHttpClient::get(port, "/").text(), QStringLiteral("<p>hello</p>"));
}

} // namespace
