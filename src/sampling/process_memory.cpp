#include "sampling/process_memory.h"

#include <QByteArray>
#include <QFile>

std::optional<qint64> ParseAnonymousResidentKiB(QByteArrayView status)
{
    constexpr QByteArrayView key("RssAnon:");
    qsizetype from = 0;
    while (from < status.size()) {
        qsizetype end = status.indexOf('\n', from);
        if (end < 0)
            end = status.size();
        const QByteArrayView line = status.sliced(from, end - from);
        if (line.startsWith(key)) {
            // "RssAnon:     17228 kB"
            QByteArrayView value = line.sliced(key.size()).trimmed();
            if (value.endsWith("kB"))
                value = value.chopped(2).trimmed();
            bool ok = false;
            const qint64 kib = value.toLongLong(&ok);
            return ok && kib >= 0 ? std::optional<qint64>(kib) : std::nullopt;
        }
        from = end + 1;
    }
    return std::nullopt;
}

std::optional<qint64> AnonymousResidentKiB(qint64 pid)
{
    if (pid <= 0)
        return std::nullopt;
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return std::nullopt;
    // The whole text is a couple of kilobytes; the line sits in its middle.
    return ParseAnonymousResidentKiB(status.read(16 * 1024));
}
