#pragma once

#include "outputs/event_notices.h"

#include <QObject>

#include <functional>

class Clock;
class LineEventHistory;
class Settings;

// Turns the line events found in this run into notices while "Tell me when
// the line drops, comes back, resyncs or the router stops answering"
// (NotifyEvents) is on, by the rules of EventNotices, and hands each to
// deliver: a desktop notification, or a line on standard error without
// windows. Events while the option is off give nothing and do not count
// towards a flapping line. Figures are written in locale: the user's on the
// desktop, plain digits for a terminal.
class LineEventNotifier final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LineEventNotifier)

public:
    using Deliver = std::function<void(const EventNotice &notice)>;

    LineEventNotifier(const LineEventHistory &history, const Settings &settings, const Clock &clock,
        const QLocale &locale, Deliver deliver, QObject *parent = nullptr);

private:
    void eventAdded(const LineEvent &event);

    const Settings &m_settings;
    EventNotices m_notices;
    Deliver m_deliver;
};
