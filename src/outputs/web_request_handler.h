#pragma once

#include "outputs/http_reply.h"
#include "outputs/http_request.h"

#include <QString>

class MimeTypeTable;
class WebServing;

// The pages of the web server for a missing and a forbidden file.
QByteArray NotFoundPage();
QByteArray AccessDeniedPage();

// Answers one request of the web server with a file of the web folder: the
// folder plus the request's decoded path, "." and ".." resolved. No regular
// file there gives 404; a file whose real path (links followed) lies outside
// the folder gives 403; otherwise 200 with the file, sent from the very
// descriptor that was opened and checked. A path holding a NUL is refused
// with 400. WebServing is set while the request is handled. Runs on the
// server's threads; it touches nothing but its arguments and the file system.
HttpReply HTTPServerCommandGet(
    const HttpRequest &request, const QString &webFolder, const MimeTypeTable &types, WebServing &serving);
