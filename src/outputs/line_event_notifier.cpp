#include "outputs/line_event_notifier.h"

#include "base/settings.h"
#include "outputs/line_event_history.h"

LineEventNotifier::LineEventNotifier(const LineEventHistory &history, const Settings &settings,
    const Clock &clock, const QLocale &locale, Deliver deliver, QObject *parent)
    : QObject(parent), m_settings(settings), m_notices(clock, locale), m_deliver(std::move(deliver))
{
    connect(&history, &LineEventHistory::added, this, &LineEventNotifier::eventAdded);
}

void LineEventNotifier::eventAdded(const LineEvent &event)
{
    if (!m_settings.flag(SettingKey::NotifyEvents))
        return;
    if (const std::optional<EventNotice> notice = m_notices.take(event))
        m_deliver(*notice);
}
