#include "outputs/metrics_step.h"

#include "base/user_figure.h"
#include "outputs/published_figures.h"

void MetricsStep::pageLoaded(const PageLoad &load)
{
    m_store.update(
        [&load](PublishedFigures &figures) { figures.lastLoadStatisticsPage = load.statisticsPage; });
}

void MetricsStep::sampleTaken(const PageLoad &load)
{
    const LineSample &sample = load.sample;
    std::vector<PublishedFigures::User> users;
    if (load.statisticsPage) {
        if (load.user1 != UserFigure::None)
            users.push_back({ load.user1, sample.user1Down, sample.user1Up });
        // Both graphs may show the same figure; it is one metric.
        if (load.user2 != UserFigure::None && load.user2 != load.user1)
            users.push_back({ load.user2, sample.user2Down, sample.user2Up });
    }
    m_store.update([&](PublishedFigures &figures) {
        figures.sampled = true;
        figures.noiseMarginDown = sample.noiseMarginDown;
        figures.noiseMarginUp = sample.noiseMarginUp;
        figures.speedDown = sample.speedDown;
        figures.speedUp = sample.speedUp;
        figures.uptimeSeconds = load.uptimeSeconds;
        figures.users = std::move(users);
        ++figures.samples;
        figures.lastSample = load.moment;
    });
}

void MetricsStep::runStateChanged(RunState state)
{
    m_store.update([state](PublishedFigures &figures) { figures.runState = state; });
}
