#include "shell/program/history_at_start.h"

#include "base/clock.h"
#include "base/settings.h"
#include "graphs/graph_model.h"
#include "outputs/history_store.h"
#include "shell/program/line_monitor.h"

// The stored samples of the 24 hours before now; none when the history
// could not be opened.
std::vector<HistoryRecord> LastDayOfHistory(LineMonitor &monitor)
{
    const HistoryStore *history = monitor.history();
    if (!history)
        return {};
    const QDateTime now = monitor.clock().now().toUTC();
    return history->read(now.addDays(-1), now);
}

void FillGraphsFromHistory(GraphModel &graphs, const std::vector<HistoryRecord> &lastDay)
{
    graphs.plotHistory(lastDay);
}

void ShowLastDayAtStartUp(LineMonitor &monitor, const HistorySource &lastDay)
{
    if (!monitor.settings().flag(SettingKey::HistoryAtStart) || !lastDay)
        return;
    FillGraphsFromHistory(monitor.graphs(), lastDay(monitor));
}
