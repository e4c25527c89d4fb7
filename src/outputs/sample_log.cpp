#include "outputs/sample_log.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString kNone = QStringLiteral("[none]");

QString FigureColumns(const QString &figure)
{
    if (figure == kNone)
        return QString();
    return QStringLiteral(", Up ") + figure + QStringLiteral(", Down ") + figure;
}

QByteArray Line(const QString &text)
{
    return text.toUtf8() + "\r\n";
}

} // namespace

QString LogHeader(const QString &user1Text, const QString &user2Text)
{
    return QStringLiteral("Date/Time, Up SNR (dB), Down SNR (dB), Up Sync (Kbps), Down Sync (Kbps)")
        + FigureColumns(user1Text) + FigureColumns(user2Text);
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
