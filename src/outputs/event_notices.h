#pragma once

#include "outputs/line_events.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <optional>
#include <vector>

class Clock;

// What one notification says: a summary naming what happened and a body of
// one or more lines ("\n" between them).
struct EventNotice {
    QString summary;
    QString body;

    // The notice on one line for a terminal or a journal: the summary and
    // the body's lines, each ended by ". " but the last.
    QString oneLine() const;
    bool operator==(const EventNotice &other) const { return summary == other.summary && body == other.body; }
};

// The notice of one line event: the event's text ("Line down") as its
// summary, and the figures before and after it as the line events window
// shows them, up first:
//   Noise margin (up / down): 5.9 / 6.1 dB before, 0 / 0 dB after
//   Sync (up / down): 1,000 / 8,000 Kbps before, 0 / 0 Kbps after
EventNotice LineEventNotice(const LineEvent &event, const QLocale &locale);

// The one notice of a flapping line: "Line unstable: 3 events in 10
// minutes", naming the latest event and saying that nothing more comes
// until the line has been quiet for ten minutes.
EventNotice UnstableLineNotice(int events, LineEventKind latest);

// When the line's events become notices. Each event gives its own notice,
// except on a flapping line: the third event within ten minutes gives one
// summary notice instead, and after that no event gives any until one comes
// ten minutes or more after the event before it; from that one on, each
// event gives its notice again. The moment of an event is the clock's now
// when it is taken.
class EventNotices {
public:
    static constexpr int kFlappingEvents = 3;
    static constexpr qint64 kFlappingSeconds = 600;

    EventNotices(const Clock &clock, const QLocale &locale) : m_clock(clock), m_locale(locale) { }

    // The notice the event gives now, if any.
    std::optional<EventNotice> take(const LineEvent &event);

private:
    const Clock &m_clock;
    QLocale m_locale;
    std::vector<QDateTime> m_recent; // the events notified within the last ten minutes
    bool m_quiet = false; // summarised: the line has not settled yet
    QDateTime m_lastEvent;
};
