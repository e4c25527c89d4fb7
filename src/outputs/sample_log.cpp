#include "outputs/sample_log.h"

#include <QFile>
#include <QFileInfo>

namespace {

QByteArray Line(const QString &text)
{
    return text.toUtf8() + "\r\n";
}

// The file system may cut a write short when the program is killed in the
// middle of it (a line that crosses a page), leaving a line without its end.
// Before the next line goes on, that torn piece is cut off (when the last
// line end lies within the last kTornTailWindow bytes; otherwise the piece
// is ended as it is), so it never runs into the new line.
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

bool SampleLog::writeLine(const QString &path, const QString &logLine)
{
    if (m_trimBusy)
        return false;
    const bool fresh = !QFileInfo::exists(path);

    // Unbuffered, so the line goes to the file in one write call and a
    // failure is seen right here, with nothing left over in a buffer.
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    const qint64 found = file.size();
    if (!fresh && !DropTornTail(file))
        return false;
    const qint64 before = file.size();
    // A new file starts with the header; so does one whose only content was
    // a torn first write.
    const bool withHeader = fresh || m_headerPending || (before == 0 && found > 0);

    QByteArray bytes;
    if (withHeader)
        bytes = Line(m_header) + Line(QString(m_header.size(), u'-'));
    bytes += Line(logLine);
    if (file.write(bytes) != bytes.size()) {
        // A half-written line would run into the next one, and a file left
        // without its header would never get one: take it all back.
        if (fresh)
            file.remove();
        else
            file.resize(before);
        return false;
    }
    file.close();
    if (withHeader)
        m_headerPending = false;
    return true;
}
