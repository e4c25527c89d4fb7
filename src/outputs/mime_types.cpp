#include "outputs/mime_types.h"

#include <QMimeDatabase>
#include <QMimeType>

namespace {

struct BuiltInType {
    const char *extension;
    const char *type;
};

// What a web folder usually holds: pages, their styles and scripts, and
// pictures.
constexpr BuiltInType BuiltInTypes[] = {
    { "jpg", "image/jpeg" },
    { "jpeg", "image/jpeg" },
    { "jpe", "image/jpeg" },
    { "gif", "image/gif" },
    { "png", "image/png" },
    { "bmp", "image/bmp" },
    { "ico", "image/x-icon" },
    { "svg", "image/svg+xml" },
    { "htm", "text/html" },
    { "html", "text/html" },
    { "css", "text/css" },
    { "js", "text/javascript" },
    { "txt", "text/plain" },
    { "xml", "text/xml" },
    { "json", "application/json" },
};

const QByteArray Unknown = QByteArrayLiteral("application/octet-stream");

} // namespace

MimeTypeTable::MimeTypeTable(Source source)
{
    for (const BuiltInType &entry : BuiltInTypes)
        m_types.insert(QString::fromLatin1(entry.extension), QByteArray(entry.type));
    if (source == Source::BuiltInAndSystem)
        addSystemTypes();
}

// Each simple suffix the database knows goes to the type that prefers it,
// otherwise to the first type that lists it.
void MimeTypeTable::addSystemTypes()
{
    const QList<QMimeType> types = QMimeDatabase().allMimeTypes();
    QHash<QString, QByteArray> preferred;
    QHash<QString, QByteArray> listed;
    for (const QMimeType &type : types) {
        const QByteArray name = type.name().toLatin1();
        for (const QString &suffix : type.suffixes()) {
            if (suffix.isEmpty() || suffix.contains(u'.'))
                continue;
            const QString extension = suffix.toLower();
            if (suffix == type.preferredSuffix() && !preferred.contains(extension))
                preferred.insert(extension, name);
            if (!listed.contains(extension))
                listed.insert(extension, name);
        }
    }
    for (auto it = listed.cbegin(); it != listed.cend(); ++it) {
        if (!m_types.contains(it.key()))
            m_types.insert(it.key(), preferred.value(it.key(), it.value()));
    }
}

QByteArray MimeTypeTable::GetMIMEType(const QString &fileName) const
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const qsizetype slash = fileName.lastIndexOf(u'/');
    if (dot < 0 || dot < slash)
        return Unknown;
    const auto found = m_types.constFind(fileName.mid(dot + 1).toLower());
    return found != m_types.cend() ? found.value() : Unknown;
}
