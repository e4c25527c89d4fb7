#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// One HTTP request as the server hands it to a handler: plain data, no
// connection behind it, so handlers can be called without sockets.
struct HttpRequest {
    using Field = QPair<QString, QString>;

    QByteArray method; // "GET", "POST", "HEAD", ...
    QString path; // URL-decoded, without the query; never holds a NUL
    QList<Field> query; // URL-decoded query arguments, in request order
    QList<Field> form; // fields of a form-encoded POST body, in order
    QList<Field> cookies;
    QList<QPair<QByteArray, QByteArray>> headers; // every request header, names as sent

    bool hasQuery(const QString &key) const;
    QString queryValue(const QString &key) const; // empty when absent
    QString formValue(const QString &key) const;
    QString cookie(const QString &name) const;
    QByteArray header(const QByteArray &name) const; // name compared without case
};
