#pragma once

#include "http/http_reply.h"
#include "http/http_request.h"

#include <QSet>
#include <QString>
#include <QStringList>

// The simulated router's logins: the password field names its login pages
// hand out, and the sessions (a cookie) opened by a correct password. Not
// guarded: the router calls it under its own lock.
class RouterSessions final {
public:
    static QString cookieName() { return QStringLiteral("SESSIONID"); }

    // A fresh "password_NNNN" field name for a login page; the last few
    // handed out are accepted.
    QString issueFieldName();
    bool isIssuedFieldName(const QString &name) const;

    // Whether the request carries the cookie of an open session.
    bool admits(const HttpRequest &request) const;

    // Where a login form wants to go back to: its "return_to" field when that
    // is a path on this router, otherwise fallbackPath.
    static QString returnPath(const HttpRequest &request, const QString &fallbackPath);

    // Opens a session and answers the login form: 303 to target, setting the
    // session cookie.
    HttpReply welcome(const QString &target);

    void closeAll();

private:
    QStringList m_fieldNames;
    QSet<QString> m_tokens;
};
