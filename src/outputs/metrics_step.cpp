#include "outputs/metrics_step.h"

#include "base/settings.h"
#include "base/user_figure.h"
#include "outputs/published_figures.h"
#include "sampling/uptime_seconds.h"

void MetricsStep::pageLoaded(const PageLoad &load)
{
    m_store.update(
        [&load](PublishedFigures &figures) { figures.lastLoadStatisticsPage = load.statisticsPage; });
}

void MetricsStep::sampleTaken(const PageLoad &load)
{
    const LineSample &sample = load.sample;
    std::vector<PublishedFigures::User> users;
    std::optional<qint64> uptime;
    if (load.statisticsPage) {
        uptime = UptimeSeconds(sample.uptimeText);
        const UserFigure user1 = UserFigureFromIndex(m_settings.integer(SettingKey::User1));
        const UserFigure user2 = UserFigureFromIndex(m_settings.integer(SettingKey::User2));
        if (user1 != UserFigure::None)
            users.push_back({ user1, sample.user1Down, sample.user1Up });
        // Both graphs may show the same figure; it is one metric.
        if (user2 != UserFigure::None && user2 != user1)
            users.push_back({ user2, sample.user2Down, sample.user2Up });
    }
    m_store.update([&](PublishedFigures &figures) {
        figures.sampled = true;
        figures.noiseMarginDown = sample.noiseMarginDown;
        figures.noiseMarginUp = sample.noiseMarginUp;
        figures.speedDown = sample.speedDown;
        figures.speedUp = sample.speedUp;
        figures.uptimeSeconds = uptime;
        figures.users = std::move(users);
        ++figures.samples;
        figures.lastSample = load.moment;
    });
}
