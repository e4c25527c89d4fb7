#include "outputs/line_events_step.h"

#include "base/settings.h"
#include "outputs/line_event_history.h"
#include "outputs/line_events_log.h"
#include "outputs/output_settings.h"
#include "outputs/published_figures.h"

void LineEventsStep::sampleTaken(const PageLoad &load)
{
    const LineSample &sample = load.sample;
    LineObservation observation;
    observation.moment = load.moment;
    observation.statisticsPage = load.statisticsPage;
    observation.figures = { sample.noiseMarginUp, sample.noiseMarginDown, sample.speedUp, sample.speedDown };
    observation.routerUptime = load.uptimeSeconds;
    for (const LineEvent &event : m_detector.observe(observation))
        record(event);
}

void LineEventsStep::record(const LineEvent &event)
{
    m_history.add(event);
    m_figures.update(
        [&event](PublishedFigures &figures) { ++figures.lineEvents[static_cast<std::size_t>(event.kind)]; });
    const OutputSettings outputs(m_settings);
    if (!outputs.logging())
        return;
    // Lost silently when it cannot be written, like a log line.
    AppendLineEvent(LineEventsPath(outputs.logFile()),
        LineEventLine(
            event, m_settings.text(SettingKey::LogDateFormat), m_settings.integer(SettingKey::LogTab)));
}
