#include "outputs/metrics_step.h"

#include "base/user_figure.h"
#include "outputs/published_figures.h"

namespace {

// The line as a statistics page load read it.
PublishedFigures::Line LineOf(const PageLoad &load)
{
    const LineSample &sample = load.sample;
    PublishedFigures::Line line;
    line.noiseMarginDown = sample.noiseMarginDown;
    line.noiseMarginUp = sample.noiseMarginUp;
    line.speedDown = sample.speedDown;
    line.speedUp = sample.speedUp;
    line.uptimeSeconds = load.uptimeSeconds;
    if (load.user1 != UserFigure::None)
        line.users.push_back({ load.user1, sample.user1Down, sample.user1Up });
    // Both graphs may show the same figure; it is one metric.
    if (load.user2 != UserFigure::None && load.user2 != load.user1)
        line.users.push_back({ load.user2, sample.user2Down, sample.user2Up });
    return line;
}

} // namespace

void MetricsStep::pageLoaded(const PageLoad &load)
{
    std::optional<PublishedFigures::Line> line;
    if (load.statisticsPage)
        line = LineOf(load);
    const int interval = intervalMs();
    m_store.update([&](PublishedFigures &figures) {
        figures.line = std::move(line);
        figures.sampleIntervalMs = interval;
    });
}

void MetricsStep::sampleTaken(const PageLoad &load)
{
    m_store.update([&load](PublishedFigures &figures) {
        ++figures.samples;
        figures.lastSample = load.moment;
    });
}

void MetricsStep::runStateChanged(RunState state)
{
    const int interval = intervalMs();
    m_store.update([state, interval](PublishedFigures &figures) {
        figures.runState = state;
        figures.sampleIntervalMs = interval;
    });
}
