#include "outputs/mime_types.h"
#include "outputs/web_request_handler.h"
#include "outputs/web_serving.h"

#include "support/qt_printers.h"
#include "support/temp_data_dir.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const BeneathLookup Lookups[] = { BeneathLookup::Automatic, BeneathLookup::RealPath };

const char *NameOf(BeneathLookup lookup)
{
    return lookup == BeneathLookup::RealPath ? "real path" : "kernel";
}

// A child process that opens a FIFO for writing, as a program feeding it
// would: the open sleeps until something opens the read end, then the child
// exits. Whether it still sleeps in that open tells whether anyone opened
// the FIFO meanwhile.
class BlockedWriter {
public:
    explicit BlockedWriter(const QString &fifo) : m_fifo(QFile::encodeName(fifo))
    {
        m_pid = ::fork();
        if (m_pid == 0)
            ::_exit(::openat(AT_FDCWD, m_fifo.constData(), O_WRONLY) >= 0 ? 0 : 1);
    }
    ~BlockedWriter()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    BlockedWriter(const BlockedWriter &) = delete;
    BlockedWriter &operator=(const BlockedWriter &) = delete;

    // Sleeping in its open right now: the kernel names the call it waits in.
    bool blocked() const
    {
        QFile call(QStringLiteral("/proc/%1/syscall").arg(m_pid));
        return call.open(QIODevice::ReadOnly)
            && call.readAll().split(' ').value(0) == QByteArray::number(SYS_openat);
    }
    // Waits (with a generous limit, so a broken test fails instead of
    // hanging) until the child has come to sleep in its open.
    bool waitUntilBlocked() const
    {
        for (int i = 0; i < 4000 && !blocked(); ++i)
            QThread::msleep(5);
        return blocked();
    }
    // Opens the read end, which lets the child finish; its exit status
    // (0: its open succeeded).
    int release()
    {
        const int reader = ::open(m_fifo.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        int status = -1;
        const pid_t reaped = ::waitpid(m_pid, &status, 0);
        if (reader >= 0)
            ::close(reader);
        m_pid = -1;
        return reaped > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    QByteArray m_fifo;
    pid_t m_pid = -1;
};

// A data folder holding the web folder "WebServer" and, beside it, files and
// folders a request must never reach.
class WebRequestHandlerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(data.writeFile(QStringLiteral("WebServer/noise.jpg"), "jpeg bytes"));
        ASSERT_TRUE(data.writeFile(QStringLiteral("WebServer/index.html"), "<p>page</p>"));
        ASSERT_TRUE(data.writeFile(QStringLiteral("WebServer/sub/page.txt"), "text"));
        ASSERT_TRUE(data.writeFile(QStringLiteral("secret.txt"), "outside"));
        ASSERT_TRUE(data.writeFile(QStringLiteral("WebServer2/secret.txt"), "sibling"));
        ASSERT_TRUE(data.writeFile(QStringLiteral("webserver/secret.txt"), "other case"));
        ASSERT_TRUE(
            QFile::link(data.filePath(QStringLiteral("secret.txt")), web(QStringLiteral("link.txt"))));
        ASSERT_TRUE(QFile::link(data.path(), web(QStringLiteral("linkdir"))));
        ASSERT_TRUE(QFile::link(web(QStringLiteral("noise.jpg")), web(QStringLiteral("alias.jpg"))));
    }

    QString web(const QString &name = QString()) const
    {
        return data.filePath(QStringLiteral("WebServer")) + (name.isEmpty() ? QString() : u'/' + name);
    }

    HttpReply get(const QString &path, BeneathLookup lookup = BeneathLookup::Automatic)
    {
        HttpRequest request;
        request.method = "GET";
        request.path = path;
        return HTTPServerCommandGet(request, web(), types, serving, lookup);
    }

    static QByteArray bodyOf(const HttpReply &reply)
    {
        if (reply.kind != HttpReply::Kind::File)
            return reply.body;
        if (!reply.file)
            return QByteArray();
        QByteArray body(qsizetype(reply.file->size()), '\0');
        const ssize_t got = ::pread(reply.file->handle(), body.data(), size_t(body.size()), 0);
        return body.left(got < 0 ? 0 : qsizetype(got));
    }

    TempDataDir data;
    MimeTypeTable types { MimeTypeTable::Source::BuiltIn };
    WebServing serving;
};

TEST_F(WebRequestHandlerTest, ServesFilesOfTheFolderAndNothingElse)
{
    const QString nul = QStringLiteral("/noise.jpg") + QChar(0) + QStringLiteral(".html");
    const QString deep
        = QStringLiteral("/") + QStringLiteral("a/").repeated(5000) + QStringLiteral("noise.jpg");
    const QString long1 = u'/' + QString(100000, u'a');
    const struct {
        QString path;
        int status;
        QByteArray body; // for 200
    } cases[] = {
        { QStringLiteral("/noise.jpg"), 200, "jpeg bytes" },
        { QStringLiteral("/sub/page.txt"), 200, "text" },
        { QStringLiteral("/./sub/../noise.jpg"), 200, "jpeg bytes" },
        { QStringLiteral("//noise.jpg"), 200, "jpeg bytes" },
        { QStringLiteral("/alias.jpg"), 200, "jpeg bytes" }, // a link that stays inside
        { QStringLiteral("/"), 404, {} },
        { QStringLiteral("/sub"), 404, {} },
        { QStringLiteral("/sub/"), 404, {} },
        { QStringLiteral("/missing.jpg"), 404, {} },
        { QStringLiteral("/../secret.txt"), 403, {} },
        { QStringLiteral("/sub/../../secret.txt"), 403, {} },
        { QStringLiteral("//../secret.txt"), 403, {} },
        { QStringLiteral("/../missing.txt"), 404, {} },
        { QStringLiteral("/../WebServer2/secret.txt"), 403, {} }, // shares the folder's prefix
        { QStringLiteral("/../webserver/secret.txt"), 403, {} }, // differs only in case
        { QStringLiteral("/link.txt"), 403, {} },
        { QStringLiteral("/linkdir/secret.txt"), 403, {} },
        { QStringLiteral("/..\\secret.txt"), 404, {} }, // a backslash is part of a name here
        { QStringLiteral("\\..\\secret.txt"), 404, {} },
        { QStringLiteral(".."), 404, {} },
        { QStringLiteral("/../../../../../../../../../../../../../../dev/null"), 404, {} }, // a device
        { nul, 400, {} },
        { deep, 404, {} },
        { long1, 404, {} },
    };
    for (const BeneathLookup lookup : Lookups)
        for (const auto &c : cases) {
            const HttpReply reply = get(c.path, lookup);
            const std::string where = c.path.left(60).toStdString() + " by " + NameOf(lookup);
            EXPECT_EQ(reply.status, c.status) << where;
            EXPECT_FALSE(serving.isSet()) << where;
            if (c.status == 200) {
                EXPECT_EQ(reply.kind, HttpReply::Kind::File) << where;
                EXPECT_EQ(bodyOf(reply), c.body) << where;
            } else if (c.status == 404) {
                EXPECT_EQ(bodyOf(reply), NotFoundPage()) << where;
            } else if (c.status == 403) {
                EXPECT_EQ(bodyOf(reply), AccessDeniedPage()) << where;
            }
        }
}

TEST_F(WebRequestHandlerTest, NeverOpensAFifoInsideOrAnythingOutside)
{
    const QString outside = data.filePath(QStringLiteral("pipe"));
    const QString inside = web(QStringLiteral("inpipe"));
    for (const QString &fifo : { outside, inside })
        ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(outside, web(QStringLiteral("outpipe"))));
    ASSERT_TRUE(QFile::link(QStringLiteral("../../pipe"), web(QStringLiteral("sub/uplink"))));
    ASSERT_TRUE(QFile::link(inside, web(QStringLiteral("inlink"))));
    BlockedWriter writers[] = { BlockedWriter(outside), BlockedWriter(inside) };
    for (const BlockedWriter &writer : writers)
        ASSERT_TRUE(writer.waitUntilBlocked());

    const QString paths[] = {
        QStringLiteral("/../pipe"),
        QStringLiteral("/outpipe"),
        QStringLiteral("/sub/uplink"),
        QStringLiteral("/inpipe"),
        QStringLiteral("/inlink"),
        QStringLiteral("/../WebServer/inpipe"),
    };
    for (const BeneathLookup lookup : Lookups) {
        for (const QString &path : paths)
            EXPECT_EQ(get(path, lookup).status, 404) << path.toStdString() << " by " << NameOf(lookup);
        // Answered: had anything opened a FIFO, its writer would be awake.
        for (const BlockedWriter &writer : writers)
            EXPECT_TRUE(writer.blocked()) << NameOf(lookup);
    }
    for (BlockedWriter &writer : writers)
        EXPECT_EQ(writer.release(), 0);
}

// One folder answers many requests, as the server's does: what it serves
// follows the file replaced by rename (as noise.jpg is at every sample), the
// file changed in place, and a folder made anew under the folder's name.
TEST_F(WebRequestHandlerTest, AKeptFolderServesWhatIsThereNow)
{
    const WebFolder folder(web());
    const auto body = [&](const QString &path) {
        HttpRequest request;
        request.method = "GET";
        request.path = path;
        return bodyOf(HTTPServerCommandGet(request, folder, types, serving));
    };
    const QString noise = QStringLiteral("/noise.jpg");
    EXPECT_EQ(body(noise), QByteArray("jpeg bytes"));
    EXPECT_EQ(body(QStringLiteral("/alias.jpg")), QByteArray("jpeg bytes"));

    ASSERT_TRUE(data.writeFile(QStringLiteral("WebServer/noise.tmp"), "the next picture"));
    ASSERT_EQ(::rename(QFile::encodeName(web(QStringLiteral("noise.tmp"))).constData(),
                  QFile::encodeName(web(QStringLiteral("noise.jpg"))).constData()),
        0);
    EXPECT_EQ(body(noise), QByteArray("the next picture"));

    QFile inPlace(web(QStringLiteral("noise.jpg")));
    ASSERT_TRUE(inPlace.open(QIODevice::ReadWrite));
    ASSERT_EQ(inPlace.write("THE"), 3);
    inPlace.close();
    EXPECT_EQ(body(noise), QByteArray("THE next picture"));

    ASSERT_TRUE(QDir().rename(web(), data.filePath(QStringLiteral("WebServer.old"))));
    ASSERT_TRUE(data.writeFile(QStringLiteral("WebServer/noise.jpg"), "the new folder's picture"));
    QThread::msleep(
        static_cast<unsigned long>((WebFolder::RecheckInterval + std::chrono::milliseconds(50)).count()));
    EXPECT_EQ(body(noise), QByteArray("the new folder's picture"));
    EXPECT_EQ(body(QStringLiteral("/index.html")), NotFoundPage());
}

TEST_F(WebRequestHandlerTest, ErrorPagesReadAsTheyAlwaysHave)
{
    EXPECT_EQ(NotFoundPage(),
        QByteArray("<html><head><title>Error</title></head><body><h1>Not Found</h1></body></html>"));
    EXPECT_EQ(AccessDeniedPage(),
        QByteArray("<html><head><title>Error</title></head><body><h1>Access denied</h1>\rYou do not have "
                   "sufficient priviligies to access this document.</body></html>"));
}

TEST_F(WebRequestHandlerTest, ContentTypeFollowsTheExtension)
{
    EXPECT_EQ(get(QStringLiteral("/noise.jpg")).contentType, QByteArray("image/jpeg"));
    EXPECT_EQ(get(QStringLiteral("/index.html")).contentType, QByteArray("text/html"));
    EXPECT_EQ(get(QStringLiteral("/sub/page.txt")).contentType, QByteArray("text/plain"));
}

TEST(MimeTypeTableTest, MapsExtensionsIgnoringCase)
{
    const MimeTypeTable builtIn(MimeTypeTable::Source::BuiltIn);
    const MimeTypeTable system;
    const struct {
        const char *name;
        const char *type;
    } cases[] = {
        { "noise.jpg", "image/jpeg" },
        { "NOISE.JPEG", "image/jpeg" },
        { "a.jpe", "image/jpeg" },
        { "a.gif", "image/gif" },
        { "a.htm", "text/html" },
        { "a.Html", "text/html" },
        { "a.css", "text/css" },
        { "a.txt", "text/plain" },
        { "a.nosuchextension", "application/octet-stream" },
        { "noextension", "application/octet-stream" },
        { "folder.d/noextension", "application/octet-stream" },
    };
    for (const auto &c : cases) {
        EXPECT_EQ(builtIn.GetMIMEType(QString::fromLatin1(c.name)), QByteArray(c.type)) << c.name;
        EXPECT_EQ(system.GetMIMEType(QString::fromLatin1(c.name)), QByteArray(c.type)) << c.name;
    }
    // What only the system's database knows.
    EXPECT_EQ(builtIn.GetMIMEType(QStringLiteral("a.pdf")), QByteArray("application/octet-stream"));
    EXPECT_EQ(system.GetMIMEType(QStringLiteral("a.pdf")), QByteArray("application/pdf"));
    EXPECT_EQ(system.GetMIMEType(QStringLiteral("a.PNG")), QByteArray("image/png"));
    EXPECT_GT(system.size(), 200);
}

} // namespace
