#include "outputs/line_appender.h"

#include <QFile>
#include <QFileInfo>

namespace {

QByteArray Line(const QString &text)
{
    return text.toUtf8() + "\r\n";
}

// The torn piece is cut off back to the last line end when that lies within
// the last kTornTailWindow bytes; a longer piece is ended as it is rather
// than read whole.
constexpr qint64 kTornTailWindow = 64 * 1024;

bool DropTornTail(QFile &file)
{
    const qint64 size = file.size();
    if (size == 0)
        return true;
    char last = 0;
    if (!file.seek(size - 1) || file.read(&last, 1) != 1)
        return false;
    if (last == '\n')
        return true;
    const qint64 from = qMax<qint64>(0, size - kTornTailWindow);
    if (!file.seek(from))
        return false;
    const QByteArray tail = file.read(size - from);
    if (tail.size() != size - from)
        return false;
    const qsizetype lastEnd = tail.lastIndexOf('\n');
    if (lastEnd >= 0 || from == 0)
        return file.resize(from + lastEnd + 1);
    return file.write("\r\n", 2) == 2;
}

} // namespace

bool LineAppender::append(const QString &line, bool headerDue) const
{
    const bool fresh = !QFileInfo::exists(m_path);

    // Unbuffered, so the lines go to the file in one write call and a
    // failure is seen right here, with nothing left over in a buffer.
    QFile file(m_path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    const qint64 found = file.size();
    if (!fresh && !DropTornTail(file))
        return false;
    const qint64 before = file.size();
    const bool withHeader = fresh || headerDue || (before == 0 && found > 0);

    QByteArray bytes;
    if (withHeader)
        bytes = Line(m_header) + Line(QString(m_header.size(), u'-'));
    bytes += Line(line);
    if (file.write(bytes) != bytes.size()) {
        // A half-written line would run into the next one, and a file left
        // without its header would never get one: take it all back.
        if (fresh)
            file.remove();
        else
            file.resize(before);
        return false;
    }
    return true;
}
