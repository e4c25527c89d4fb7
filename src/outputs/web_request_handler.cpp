#include "outputs/web_request_handler.h"

#include "outputs/mime_types.h"
#include "outputs/web_serving.h"

#include <utility>

namespace {

const QByteArray HtmlType = QByteArrayLiteral("text/html");

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
    const HttpRequest &request, const WebFolder &webFolder, const MimeTypeTable &types, WebServing &serving)
{
    const WebServingScope scope(serving);

    // A NUL would cut the path short in every call below.
    if (request.path.contains(QChar(0)))
        return Page(400,
            QByteArrayLiteral(
                "<html><head><title>Error</title></head><body><h1>Bad Request</h1></body></html>"));

    QString below;
    WebFolderFile found = webFolder.open(request.path, &below);
    switch (found.found) {
    case WebFolderFile::Found::Nothing:
        return NotFound();
    case WebFolderFile::Found::Outside:
        return AccessDenied();
    case WebFolderFile::Found::Unreadable:
        return HttpReply::openedFile(nullptr, QByteArray());
    case WebFolderFile::Found::File:
        break;
    }
    return HttpReply::openedFile(std::move(found.file), types.GetMIMEType(below));
}

HttpReply HTTPServerCommandGet(const HttpRequest &request, const QString &webFolder,
    const MimeTypeTable &types, WebServing &serving, BeneathLookup lookup)
{
    return HTTPServerCommandGet(request, WebFolder(webFolder, lookup), types, serving);
}
