#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

// The content type table of the web server: file extension (without the dot,
// in lower case) to content type. It is built once, before the server
// starts, and afterwards only read, so the request threads may share it.
class MimeTypeTable {
public:
    enum class Source { BuiltIn, BuiltInAndSystem };

    // The built-in list, extended by the content types the system has
    // registered (shared-mime-info) unless told otherwise. The built-in
    // entries win where both name an extension.
    explicit MimeTypeTable(Source source = Source::BuiltInAndSystem);

    // The content type of a file name by its extension, ignoring case;
    // "application/octet-stream" for an unknown or missing extension.
    QByteArray GetMIMEType(const QString &fileName) const;

    qsizetype size() const { return m_types.size(); }

private:
    void addSystemTypes();

    QHash<QString, QByteArray> m_types;
};
