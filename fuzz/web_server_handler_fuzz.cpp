// Any decoded path asked of the web server: the answer is 404, 403, 400 for
// a NUL, or a regular file that lies inside the web folder (or the server's
// own error for one it cannot read) — never anything else.
// The folder holds a file, a subfolder, a link that points outside, a FIFO
// and a link to one outside, beside a sibling folder that shares the
// folder's name as a prefix.
#include "outputs/mime_types.h"
#include "outputs/web_request_handler.h"
#include "outputs/web_serving.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <cstdlib>

namespace {

struct FuzzFolder {
    FuzzFolder()
    {
        QDir top(root.path());
        top.mkpath(QStringLiteral("WebServer/sub"));
        top.mkpath(QStringLiteral("WebServer2"));
        write(QStringLiteral("WebServer/noise.jpg"));
        write(QStringLiteral("WebServer/sub/page.html"));
        write(QStringLiteral("WebServer2/secret.txt"));
        write(QStringLiteral("outside.txt"));
        QFile::link(
            root.filePath(QStringLiteral("outside.txt")), root.filePath(QStringLiteral("WebServer/out")));
        ::mkfifo(QFile::encodeName(root.filePath(QStringLiteral("WebServer/fifo"))).constData(), 0600);
        ::mkfifo(QFile::encodeName(root.filePath(QStringLiteral("fifo"))).constData(), 0600);
        QFile::link(
            root.filePath(QStringLiteral("fifo")), root.filePath(QStringLiteral("WebServer/outfifo")));
        path = QFileInfo(root.filePath(QStringLiteral("WebServer"))).canonicalFilePath();
    }

    void write(const QString &name) const
    {
        QFile file(root.filePath(name));
        if (file.open(QIODevice::WriteOnly))
            file.write("x");
    }

    QTemporaryDir root;
    QString path;
    MimeTypeTable types { MimeTypeTable::Source::BuiltIn };
    WebServing serving;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static FuzzFolder folder;
    HttpRequest request;
    request.method = QByteArrayLiteral("GET");
    request.path = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const HttpReply reply = HTTPServerCommandGet(request, folder.path, folder.types, folder.serving);
    if (folder.serving.isSet())
        std::abort(); // the flag outlived its request
    if (reply.status == 404 || reply.status == 403 || reply.status == 400)
        return 0;
    if (reply.status != 200 || reply.kind != HttpReply::Kind::File)
        std::abort();
    if (!reply.file)
        return 0; // a file inside that cannot be read: the server's own error
    // The file is sent from the descriptor the handler opened: where it
    // really lies is what the descriptor points at.
    const QString served
        = QFileInfo(QStringLiteral("/proc/self/fd/%1").arg(reply.file->handle())).canonicalFilePath();
    if (!served.startsWith(folder.path + u'/'))
        std::abort();
    struct stat info = {};
    if (::fstat(reply.file->handle(), &info) != 0 || !S_ISREG(info.st_mode))
        std::abort(); // only a regular file is ever opened
    return 0;
}
