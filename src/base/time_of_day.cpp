#include "base/time_of_day.h"

#include "base/date_time_pattern.h"

#include <QRegularExpression>

namespace {

bool IsMarker(const QString &text, const QString &marker)
{
    return !marker.isEmpty() && text.compare(marker, Qt::CaseInsensitive) == 0;
}

// Hour, minute and optional second figures, with an am/pm marker before or
// after them.
std::optional<QTime> ParseFigures(const QString &text, const QLocale &locale)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^\\s*(\\D*?)\\s*(\\d{1,2})[^\\d\\s](\\d{1,2})(?:[^\\d\\s](\\d{1,2}))?\\s*(\\D*?)\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QString before = match.captured(1);
    const QString after = match.captured(5);
    if (!before.isEmpty() && !after.isEmpty())
        return std::nullopt;
    const QString marker = before.isEmpty() ? after : before;
    int hour = match.captured(2).toInt();
    const int minute = match.captured(3).toInt();
    const int second = match.captured(4).isEmpty() ? 0 : match.captured(4).toInt();
    if (!marker.isEmpty()) {
        const bool am = IsMarker(marker, locale.amText()) || IsMarker(marker, QStringLiteral("am"))
            || IsMarker(marker, QStringLiteral("a"));
        const bool pm = IsMarker(marker, locale.pmText()) || IsMarker(marker, QStringLiteral("pm"))
            || IsMarker(marker, QStringLiteral("p"));
        if ((!am && !pm) || hour < 1 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + (pm ? 12 : 0);
    }
    const QTime time(hour, minute, second);
    if (!time.isValid())
        return std::nullopt;
    return time;
}

} // namespace

std::optional<QTime> ParseTimeOfDay(const QString &text, const QLocale &locale)
{
    const QTime exact = locale.toTime(text.trimmed(), LocaleLongTimeFormat(locale));
    if (exact.isValid())
        return exact;
    return ParseFigures(text, locale);
}

bool SameMinute(const QTime &a, const QTime &b)
{
    return a.isValid() && b.isValid() && a.hour() == b.hour() && a.minute() == b.minute();
}
