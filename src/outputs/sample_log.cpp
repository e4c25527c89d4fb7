#include "outputs/sample_log.h"

#include <QFile>
#include <QFileInfo>

namespace {

QString FigureColumns(UserFigure figure)
{
    if (figure == UserFigure::None)
        return QString();
    const QString text = UserFigureText(figure);
    return QStringLiteral(", Up ") + text + QStringLiteral(", Down ") + text;
}

QByteArray Line(const QString &text)
{
    return text.toUtf8() + "\r\n";
}

} // namespace

QString LogHeader(UserFigure user1, UserFigure user2)
{
    return QStringLiteral("Date/Time, Up SNR (dB), Down SNR (dB), Up Sync (Kbps), Down Sync (Kbps)")
        + FigureColumns(user1) + FigureColumns(user2);
}

bool SampleLog::writeLine(const QString &path, const QString &logLine)
{
    if (m_trimBusy)
        return false;
    const bool fresh = !QFileInfo::exists(path);
    const bool withHeader = fresh || m_headerPending;

    QByteArray bytes;
    if (withHeader)
        bytes = Line(m_header) + Line(QString(m_header.size(), u'-'));
    bytes += Line(logLine);

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const qint64 before = file.size();
    if (file.write(bytes) != bytes.size() || !file.flush()) {
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
