#include "outputs/line_event_history.h"

void LineEventHistory::restore(std::vector<LineEvent> events)
{
    events.insert(events.end(), m_events.begin(), m_events.end());
    m_events = std::move(events);
    keepNewest();
}

void LineEventHistory::add(const LineEvent &event)
{
    m_events.push_back(event);
    keepNewest();
    emit added(event);
}

void LineEventHistory::keepNewest()
{
    if (m_events.size() > kMostEvents)
        m_events.erase(m_events.begin(), m_events.end() - kMostEvents);
}
