#pragma once

#include "http/http_reply.h"
#include "http/http_request.h"
#include "outputs/web_folder_file.h"

#include <QString>

class MimeTypeTable;
class WebServing;

// The pages of the web server for a missing and a forbidden file.
QByteArray NotFoundPage();
QByteArray AccessDeniedPage();

// Answers one request of the web server with a file of the web folder: the
// folder plus the request's decoded path, "." and ".." resolved. No regular
// file there gives 404; a regular file outside the folder (by name, or
// through a link) gives 403; otherwise 200 with the file, sent from the very
// descriptor that was opened and checked. Nothing is opened before it is
// known to be a regular file inside the folder (WebFolder::open). A path
// holding a NUL is refused with 400. WebServing is set while the request is
// handled. Runs on the server's threads; it touches nothing but its
// arguments and the file system.
HttpReply HTTPServerCommandGet(
    const HttpRequest &request, const WebFolder &webFolder, const MimeTypeTable &types, WebServing &serving);

// The same for one request, the folder made ready for it alone.
HttpReply HTTPServerCommandGet(const HttpRequest &request, const QString &webFolder,
    const MimeTypeTable &types, WebServing &serving, BeneathLookup lookup = BeneathLookup::Automatic);
