#include "outputs/web_request_handler.h"

#include "outputs/mime_types.h"
#include "outputs/web_serving.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <memory>

namespace {

const QByteArray HtmlType = QByteArrayLiteral("text/html");

// Closes a descriptor unless it was handed on.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) { }
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    int get() const { return m_fd; }
    int release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

// The path of a file or folder with every link followed; empty when it
// cannot be resolved.
QByteArray RealPath(const QByteArray &path)
{
    char resolved[PATH_MAX];
    return ::realpath(path.constData(), resolved) ? QByteArray(resolved) : QByteArray();
}

// Where an opened descriptor really leads, as the kernel knows it.
QByteArray RealPathOf(int fd, const QByteArray &fallback)
{
    char target[PATH_MAX];
    const QByteArray link = "/proc/self/fd/" + QByteArray::number(fd);
    const ssize_t length = ::readlink(link.constData(), target, sizeof target);
    if (length > 0 && size_t(length) < sizeof target)
        return QByteArray(target, length);
    return RealPath(fallback);
}

// Inside means below the folder: the folder's own path followed by a
// separator, compared exactly (names differing in case are other names
// here), so a sibling folder that merely shares the prefix is outside.
bool IsInside(const QByteArray &realFile, const QByteArray &realFolder)
{
    if (realFolder.isEmpty() || realFile.isEmpty())
        return false;
    const QByteArray prefix = realFolder.endsWith('/') ? realFolder : realFolder + '/';
    return realFile.size() > prefix.size() && realFile.startsWith(prefix);
}

HttpReply Page(int status, const QByteArray &body)
{
    return HttpReply::bytes(status, HtmlType, body);
}

HttpReply NotFound()
{
    return Page(404, NotFoundPage());
}

HttpReply AccessDenied()
{
    return Page(403, AccessDeniedPage());
}

} // namespace

QByteArray NotFoundPage()
{
    return QByteArrayLiteral("<html><head><title>Error</title></head><body><h1>Not Found</h1></body></html>");
}

QByteArray AccessDeniedPage()
{
    return QByteArrayLiteral("<html><head><title>Error</title></head><body><h1>Access denied</h1>\r"
                             "You do not have sufficient priviligies to access this document.</body></html>");
}

HttpReply HTTPServerCommandGet(
    const HttpRequest &request, const QString &webFolder, const MimeTypeTable &types, WebServing &serving)
{
    const WebServingScope scope(serving);

    // A NUL would cut the path short in every call below.
    if (request.path.contains(QChar(0)))
        return Page(400,
            QByteArrayLiteral(
                "<html><head><title>Error</title></head><body><h1>Bad Request</h1></body></html>"));

    const QString folder = QDir::cleanPath(webFolder);
    const QString path = QDir::cleanPath(folder + u'/' + request.path);
    const QByteArray localPath = QFile::encodeName(path);

    // Open first and check what was opened: a name swapped between a check
    // and the open cannot slip through. O_NONBLOCK keeps a FIFO from
    // holding the thread; only regular files are served.
    Descriptor fd(::open(localPath.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    struct stat info = {};
    if (fd.get() < 0) {
        // A file that exists but cannot be opened: outside is still
        // forbidden; inside, the server answers with its own error.
        if (::stat(localPath.constData(), &info) != 0 || !S_ISREG(info.st_mode))
            return NotFound();
        if (!IsInside(RealPath(localPath), RealPath(QFile::encodeName(folder))))
            return AccessDenied();
        return HttpReply::openedFile(nullptr, QByteArray());
    }
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return NotFound();
    if (!IsInside(RealPathOf(fd.get(), localPath), RealPath(QFile::encodeName(folder))))
        return AccessDenied();

    // The descriptor goes on to the server, which sends from it.
    auto file = std::make_shared<QFile>();
    if (!file->open(fd.get(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return HttpReply::openedFile(nullptr, QByteArray());
    fd.release();
    return HttpReply::openedFile(std::move(file), types.GetMIMEType(path));
}
