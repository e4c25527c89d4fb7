#include "outputs/log_header.h"

#include "sampling/line_sample.h"

namespace
{

QString UserColumns(const QString &figureText)
{
    if (figureText == UserFigureText(static_cast<int>(UserFigure::None)))
        return {};
    return QStringLiteral(", Up ") + figureText + QStringLiteral(", Down ") + figureText;
}

} // namespace

QString BuildLogHeader(const QString &user1Text, const QString &user2Text)
{
    return QStringLiteral("Date/Time, Up SNR (dB), Down SNR (dB), Up Sync (Kbps), Down Sync (Kbps)")
           + UserColumns(user1Text) + UserColumns(user2Text);
}
