#include "http/http_request.h"

namespace {

const HttpRequest::Field *FindField(const QList<HttpRequest::Field> &fields, const QString &key)
{
    for (const auto &field : fields) {
        if (field.first == key)
            return &field;
    }
    return nullptr;
}

QString ValueOf(const QList<HttpRequest::Field> &fields, const QString &key)
{
    const auto *field = FindField(fields, key);
    return field ? field->second : QString();
}

} // namespace

bool HttpRequest::hasQuery(const QString &key) const
{
    return FindField(query, key) != nullptr;
}

QString HttpRequest::queryValue(const QString &key) const
{
    return ValueOf(query, key);
}

QString HttpRequest::formValue(const QString &key) const
{
    return ValueOf(form, key);
}

QString HttpRequest::cookie(const QString &name) const
{
    return ValueOf(cookies, name);
}

QByteArray HttpRequest::header(const QByteArray &name) const
{
    for (const auto &entry : headers) {
        if (entry.first.compare(name, Qt::CaseInsensitive) == 0)
            return entry.second;
    }
    return {};
}
