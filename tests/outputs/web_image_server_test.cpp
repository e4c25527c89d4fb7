#include "outputs/jpeg_codec.h"
#include "outputs/web_image_server.h"
#include "outputs/web_request_handler.h"

#include "support/qt_printers.h"
#include "support/raw_http_client.h"
#include "support/temp_data_dir.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTcpServer>
#include <QThread>

#include <gtest/gtest.h>

#include <malloc.h>
#include <unistd.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace {

qint64 ResidentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

QImage Picture(const QColor &colour)
{
    QImage image(500, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(40, 40, 200, 100, colour);
    return image;
}

// A web folder with noise.jpg and a page, a file beside it, and the server
// on 127.0.0.1 at a free port.
class WebImageServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(data.writeFile(QStringLiteral("WebServer/index.html"), "<p>page</p>"));
        ASSERT_TRUE(JpegCodec::save(Picture(Qt::red), noisePath()));
        ASSERT_TRUE(data.writeFile(QStringLiteral("WebServer/style.css"), "p {}"));
        ASSERT_TRUE(data.writeFile(QStringLiteral("secret.txt"), "outside"));
        ASSERT_TRUE(server.start(
            data.filePath(QStringLiteral("WebServer")), QStringLiteral("127.0.0.1"), QStringLiteral("0")))
            << server.status().error.toStdString();
        port = server.status().port;
    }

    QString noisePath() const { return data.filePath(QStringLiteral("WebServer/noise.jpg")); }

    // The status line and the whole reply of one raw request.
    QByteArray statusLine(const QByteArray &request)
    {
        RawHttpClient client(port);
        client.exchange(request);
        return client.received().left(client.received().indexOf("\r\n"));
    }

    TempDataDir data;
    WebImageServer server { MimeTypeTable::Source::BuiltIn };
    quint16 port = 0;
};

TEST_F(WebImageServerTest, AnswersFilesMissingAndForbiddenPagesOverTheWire)
{
    const QByteArray jpeg = data.readFile(QStringLiteral("WebServer/noise.jpg"));
    const RawHttpReply image = RawHttpClient::get(port, "/noise.jpg?1700000000");
    EXPECT_EQ(image.status, 200);
    EXPECT_EQ(image.header("Content-Type"), QByteArray("image/jpeg"));
    EXPECT_EQ(image.body, jpeg);
    EXPECT_EQ(RawHttpClient::get(port, "/index.html").header("Content-Type"), QByteArray("text/html"));
    EXPECT_EQ(RawHttpClient::get(port, "/style.css").header("Content-Type"), QByteArray("text/css"));
    // The same file under another name goes by that name's extension, also
    // on one kept-alive connection (which one worker thread answers).
    ASSERT_EQ(::link(QFile::encodeName(noisePath()).constData(),
                  QFile::encodeName(data.filePath(QStringLiteral("WebServer/noise.bin"))).constData()),
        0);
    RawHttpClient keptAlive(port);
    ASSERT_TRUE(keptAlive.connectToServer());
    ASSERT_TRUE(keptAlive.send("GET /noise.jpg HTTP/1.1\r\nHost: x\r\n\r\nGET /noise.bin HTTP/1.1\r\nHost: "
                               "x\r\n\r\nGET /noise.jpg HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n"));
    keptAlive.readReply();
    QList<QByteArray> types;
    for (const QByteArray &line : keptAlive.received().split('\n')) {
        if (line.startsWith("Content-Type: "))
            types.append(line.mid(14).trimmed());
    }
    EXPECT_EQ(types, QList<QByteArray>({ "image/jpeg", "application/octet-stream", "image/jpeg" }));
    EXPECT_EQ(keptAlive.received().count(jpeg), 3);

    const RawHttpReply missing = RawHttpClient::get(port, "/");
    EXPECT_EQ(missing.body, NotFoundPage());
    EXPECT_EQ(statusLine("GET /nothing.jpg HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n"),
        QByteArray("HTTP/1.1 404 Not Found"));
    const RawHttpReply denied = RawHttpClient::get(port, "/../secret.txt");
    EXPECT_EQ(denied.body, AccessDeniedPage());
    EXPECT_EQ(statusLine("GET /../secret.txt HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n"),
        QByteArray("HTTP/1.1 403 Forbidden"));

    // Encoded dots and slashes are decoded before the path is resolved.
    const struct {
        QByteArray target;
        int status;
    } encoded[] = {
        { "/%2e%2e/secret.txt", 403 },
        { "/..%2fsecret.txt", 403 },
        { "/%2e%2e%2fsecret.txt", 403 },
        { "/%2E%2E%2Fmissing.txt", 404 },
        { "/noise%2ejpg", 200 },
        { "/noise.jpg%00.html", 400 },
    };
    for (const auto &c : encoded)
        EXPECT_EQ(RawHttpClient::get(port, c.target).status, c.status) << c.target.constData();

    // HEAD gives the headers alone; POST is answered like GET.
    RawHttpClient head(port);
    const RawHttpReply headReply
        = head.exchange("HEAD /noise.jpg HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n");
    EXPECT_EQ(headReply.status, 200);
    EXPECT_EQ(headReply.header("Content-Length"), QByteArray::number(jpeg.size()));
    EXPECT_TRUE(headReply.body.isEmpty());
    EXPECT_EQ(RawHttpClient::post(port, "/noise.jpg", "a=1").body, jpeg);
}

TEST_F(WebImageServerTest, AFolderChangedWhileListeningAnswersTheNextRequest)
{
    const QString other = data.filePath(QStringLiteral("Other"));
    ASSERT_TRUE(data.writeFile(QStringLiteral("Other/noise.jpg"), "the new folder's picture"));
    ASSERT_TRUE(data.writeFile(QStringLiteral("Other/only.html"), "only here"));
    const QByteArray before = data.readFile(QStringLiteral("WebServer/noise.jpg"));
    ASSERT_EQ(RawHttpClient::get(port, "/noise.jpg").body, before);

    server.setWebFolder(other);
    EXPECT_TRUE(server.isListening());
    EXPECT_EQ(RawHttpClient::get(port, "/noise.jpg").body, QByteArray("the new folder's picture"));
    EXPECT_EQ(RawHttpClient::get(port, "/only.html").body, QByteArray("only here"));
    EXPECT_EQ(RawHttpClient::get(port, "/index.html").status, 404);
    EXPECT_EQ(RawHttpClient::get(port, "/../WebServer/index.html").status, 403);

    // Requests that run while the folder changes get one folder or the
    // other, whole.
    std::atomic<bool> done { false };
    std::thread switcher([&] {
        for (int i = 0; !done.load(); ++i)
            server.setWebFolder(i % 2 ? other : data.filePath(QStringLiteral("WebServer")));
    });
    int whole = 0;
    for (int i = 0; i < 200; ++i) {
        const QByteArray body = RawHttpClient::get(port, "/noise.jpg").body;
        whole += body == before || body == "the new folder's picture" ? 1 : 0;
    }
    done = true;
    switcher.join();
    EXPECT_EQ(whole, 200);
}

TEST_F(WebImageServerTest, MetricsComeFromMemoryOnlyWhileSwitchedOn)
{
    ASSERT_TRUE(data.writeFile(QStringLiteral("WebServer/metrics"), "a file"));
    server.figures().update([](PublishedFigures &figures) { figures.samples = 7; });

    EXPECT_EQ(RawHttpClient::get(port, "/metrics").body, QByteArray("a file"));
    server.setMetrics(true);
    const RawHttpReply metrics = RawHttpClient::get(port, "/metrics?x=1");
    EXPECT_EQ(metrics.status, 200);
    EXPECT_EQ(metrics.header("Content-Type"), QByteArray("text/plain; version=0.0.4; charset=utf-8"));
    EXPECT_TRUE(metrics.body.contains("\nlinewarden_samples_total 7\n")) << metrics.body.constData();
    EXPECT_EQ(RawHttpClient::get(port, "/noise.jpg").status, 200);
}

TEST_F(WebImageServerTest, IdleClientsDoNotHoldUpANormalRequest)
{
    std::vector<std::unique_ptr<RawHttpClient>> idle;
    for (int i = 0; i < 64; ++i) {
        idle.push_back(std::make_unique<RawHttpClient>(port));
        ASSERT_TRUE(idle.back()->connectToServer());
        if (i % 2 == 0)
            idle.back()->send("GET /noise.jpg HTTP/1.1\r\nHost: "); // and never more
    }
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(RawHttpClient::get(port, "/index.html").body, QByteArray("<p>page</p>"));
    EXPECT_LT(timer.elapsed(), 2000);
}

// One 10 MB request line and one request with 100 000 header lines.
void SendHugeRequests(quint16 port)
{
    {
        const QByteArray longLine
            = "GET /" + QByteArray(10 * 1024 * 1024, 'a') + " HTTP/1.1\r\nHost: x\r\n\r\n";
        RawHttpClient longClient(port);
        const RawHttpReply longReply = longClient.exchange(longLine);
        EXPECT_TRUE(!longReply.answered || longReply.status >= 400);
    }
    QByteArray manyHeaders = "GET /noise.jpg HTTP/1.1\r\nHost: x\r\n";
    for (int i = 0; i < 100000; ++i)
        manyHeaders += "X-" + QByteArray::number(i) + ": v\r\n";
    RawHttpClient headerClient(port);
    const RawHttpReply headerReply = headerClient.exchange(manyHeaders + "\r\n");
    EXPECT_TRUE(!headerReply.answered || headerReply.status >= 400);
}

// AddressSanitizer holds freed memory back on purpose (and reports leaks
// itself), so resident memory tells nothing under it.
#ifdef __SANITIZE_ADDRESS__
constexpr bool kResidentMemoryTells = false;
#else
constexpr bool kResidentMemoryTells = true;
#endif

// Resident memory once freed heap went back to the system, so what is
// measured is what is still held.
qint64 HeldKilobytes()
{
    malloc_trim(0);
    return ResidentKilobytes();
}

TEST_F(WebImageServerTest, HugeRequestsLeaveTheServerServingAndItsMemoryFlat)
{
    // The first round settles what the client side of this test keeps
    // (socket buffers); later rounds must not add to it.
    SendHugeRequests(port);
    const qint64 before = HeldKilobytes();
    for (int round = 0; round < 3; ++round)
        SendHugeRequests(port);
    EXPECT_EQ(RawHttpClient::get(port, "/noise.jpg").status, 200);
    const qint64 after = HeldKilobytes();
    if (kResidentMemoryTells) {
        EXPECT_LT(after - before, 2 * 1024) << before << " kB before, " << after << " kB after";
    }
}

TEST_F(WebImageServerTest, AnImageRewrittenMeanwhileIsAlwaysWhole)
{
    const QImage pictures[] = { Picture(Qt::blue), Picture(Qt::green) };
    QByteArray expected[2];
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(JpegCodec::save(pictures[i], noisePath()));
        expected[i] = data.readFile(QStringLiteral("WebServer/noise.jpg"));
    }
    ASSERT_FALSE(JpegCodec::decode(expected[0]).isNull());
    ASSERT_NE(expected[0], expected[1]);

    std::atomic<bool> done { false };
    std::atomic<int> rewrites { 0 };
    std::thread writer([&] {
        for (int i = 0; !done.load(); ++i) {
            JpegCodec::save(pictures[i % 2], noisePath());
            ++rewrites;
            QThread::msleep(100);
        }
    });
    int whole = 0;
    for (int i = 0; i < 10000; ++i) {
        const RawHttpReply reply = RawHttpClient::get(port, "/noise.jpg");
        if (reply.status == 200 && (reply.body == expected[0] || reply.body == expected[1]))
            ++whole;
    }
    done = true;
    writer.join();
    EXPECT_EQ(whole, 10000);
    EXPECT_GE(rewrites.load(), 5);
}

TEST_F(WebImageServerTest, StartsWhereAskedOrSaysWhyNot)
{
    server.stop();
    EXPECT_EQ(WebServerHint(server.status()), QStringLiteral("The web server is off."));

    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::LocalHost));
    const QString takenPort = QString::number(taken.serverPort());
    EXPECT_FALSE(server.start(data.path(), QStringLiteral("127.0.0.1"), takenPort));
    EXPECT_FALSE(server.isListening());
    EXPECT_EQ(server.status().port, taken.serverPort());
    EXPECT_FALSE(server.status().error.isEmpty());
    EXPECT_TRUE(WebServerHint(server.status())
                    .startsWith(QStringLiteral("The web server could not start on 127.0.0.1, port ")
                        + takenPort + QStringLiteral(": ")));

    EXPECT_FALSE(server.start(data.path(), QStringLiteral("127.0.0.1"), QStringLiteral("70000")));
    EXPECT_FALSE(server.start(data.path(), QStringLiteral("1.2.3"), QStringLiteral("0")));

    ASSERT_TRUE(server.start(data.path(), QStringLiteral("127.0.0.1"), QStringLiteral("0")));
    EXPECT_EQ(WebServerHint(server.status()),
        QStringLiteral("The web server listens on 127.0.0.1, port ") + QString::number(server.status().port)
            + u'.');

    // A privileged port tells the way out; an empty port box asks for 84.
    WebServerStatus refused;
    refused.port = 81;
    refused.error = QStringLiteral("Permission denied");
    EXPECT_TRUE(WebServerHint(refused).startsWith(
        QStringLiteral("The web server could not start on every local address, port 81: Permission denied. "
                       "Ports below 1024 need administrator rights here")));
    server.stop();
    server.start(data.path(), QStringLiteral("127.0.0.1"), QString());
    EXPECT_EQ(server.status().port, 84);
    server.stop();
}

} // namespace
