#include "sampling/uptime_seconds.h"

#include <QList>

namespace {

// A run of decimal digits, at most nine of them.
std::optional<qint64> Digits(QStringView text)
{
    if (text.isEmpty() || text.size() > 9)
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

} // namespace

std::optional<qint64> UptimeSeconds(QStringView text)
{
    QStringView rest = text.trimmed();
    qint64 days = 0;
    const qsizetype day = rest.indexOf(u"day");
    if (day >= 0) {
        const std::optional<qint64> count = Digits(rest.left(day).trimmed());
        if (!count)
            return std::nullopt;
        days = *count;
        rest = rest.mid(day + 3);
        if (rest.startsWith(u's'))
            rest = rest.mid(1);
        rest = rest.trimmed();
        if (rest.startsWith(u','))
            rest = rest.mid(1);
        rest = rest.trimmed();
    }
    const QList<QStringView> clock = rest.split(u':');
    if (clock.size() != 3)
        return std::nullopt;
    const std::optional<qint64> hours = Digits(clock[0]);
    const std::optional<qint64> minutes = Digits(clock[1]);
    const std::optional<qint64> seconds = Digits(clock[2]);
    if (!hours || !minutes || !seconds || *minutes > 59 || *seconds > 59)
        return std::nullopt;
    return ((days * 24 + *hours) * 60 + *minutes) * 60 + *seconds;
}
