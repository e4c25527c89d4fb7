#include "outputs/event_notices.h"

#include "base/clock.h"

#include <QStringList>

#include <algorithm>

namespace {

QString Figure(double value, const QLocale &locale)
{
    return locale.toString(value, 'f', QLocale::FloatingPointShortest);
}

QString Pair(double up, double down, const QLocale &locale)
{
    return Figure(up, locale) + QStringLiteral(" / ") + Figure(down, locale);
}

// Whether now lies less than ten minutes after earlier. A clock put back
// (now before earlier) leaves nothing recent: the rules start afresh.
bool Within(const QDateTime &earlier, const QDateTime &now)
{
    const qint64 ms = earlier.msecsTo(now);
    return ms >= 0 && ms < EventNotices::kFlappingSeconds * 1000;
}

} // namespace

QString EventNotice::oneLine() const
{
    QStringList parts { summary };
    parts << body.split(u'\n', Qt::SkipEmptyParts);
    return parts.join(QStringLiteral(". "));
}

EventNotice LineEventNotice(const LineEvent &event, const QLocale &locale)
{
    const LineEventFigures &before = event.before;
    const LineEventFigures &after = event.after;
    const QString margins = QStringLiteral("Noise margin (up / down): %1 dB before, %2 dB after")
                                .arg(Pair(before.noiseMarginUp, before.noiseMarginDown, locale),
                                    Pair(after.noiseMarginUp, after.noiseMarginDown, locale));
    const QString speeds = QStringLiteral("Sync (up / down): %1 Kbps before, %2 Kbps after")
                               .arg(Pair(before.speedUp, before.speedDown, locale),
                                   Pair(after.speedUp, after.speedDown, locale));
    return { LineEventText(event.kind), margins + u'\n' + speeds };
}

EventNotice UnstableLineNotice(int events, LineEventKind latest)
{
    return { QStringLiteral("Line unstable: %1 events in %2 minutes")
                 .arg(events)
                 .arg(EventNotices::kFlappingSeconds / 60),
        QStringLiteral("Latest: %1\nNo more notices until %2 minutes pass without an event")
            .arg(LineEventText(latest))
            .arg(EventNotices::kFlappingSeconds / 60) };
}

std::optional<EventNotice> EventNotices::take(const LineEvent &event)
{
    const QDateTime now = m_clock.now();
    const bool settled = !m_lastEvent.isValid() || !Within(m_lastEvent, now);
    m_lastEvent = now;
    if (m_quiet && !settled)
        return std::nullopt;
    m_quiet = false;

    m_recent.erase(std::remove_if(m_recent.begin(), m_recent.end(),
                       [&now](const QDateTime &moment) { return !Within(moment, now); }),
        m_recent.end());
    m_recent.push_back(now);
    if (int(m_recent.size()) < kFlappingEvents)
        return LineEventNotice(event, m_locale);
    const int events = int(m_recent.size());
    m_recent.clear();
    m_quiet = true;
    return UnstableLineNotice(events, event.kind);
}
