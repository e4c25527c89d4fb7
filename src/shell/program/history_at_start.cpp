#include "shell/program/history_at_start.h"

#include "base/settings.h"
#include "graphs/graph_model.h"
#include "shell/program/line_monitor.h"

std::vector<HistoryRecord> LastDayOfHistory(LineMonitor &monitor)
{
    Q_UNUSED(monitor);
    return {}; // filled by the history store
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
