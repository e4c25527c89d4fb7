#include "sampling/log_format.h"

#include "base/date_time_pattern.h"
#include "sampling/text_primitives.h"

namespace {

QString FigureColumns(UserFigure figure)
{
    if (figure == UserFigure::None)
        return QString();
    const QString text = UserFigureText(figure);
    return QStringLiteral(", Up ") + text + QStringLiteral(", Down ") + text;
}

} // namespace

QString LogHeader(UserFigure user1, UserFigure user2)
{
    return QStringLiteral("Date/Time, Up SNR (dB), Down SNR (dB), Up Sync (Kbps), Down Sync (Kbps)")
        + FigureColumns(user1) + FigureColumns(user2);
}

QString LogLineStart(const QDateTime &loadedAt, const QString &logDateFormat)
{
    return FormatDateTime(logDateFormat, loadedAt) + QStringLiteral(", ");
}

void AddMarginColumns(QString &line, const QString &up, const QString &down, int logTab)
{
    line += PadLeft(up, logTab) + u',' + PadLeft(down, logTab) + u',';
}

void AddSpeedUpColumn(QString &line, const QString &up, int logTab)
{
    line += PadLeft(up, logTab) + u',';
}

void AddSpeedDownColumn(QString &line, const QString &down, int logTab)
{
    line += PadLeft(down, logTab);
}

void AddUserColumns(QString &line, const QString &up, const QString &down, int logTab)
{
    line += u',' + PadLeft(up, logTab) + u',' + PadLeft(down, logTab);
}
