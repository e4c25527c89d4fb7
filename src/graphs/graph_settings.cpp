#include "graphs/graph_settings.h"

#include "base/int_parsing.h"
#include "base/settings.h"

std::array<AxisLimitSet, 5> GraphSettings::StartAxisLimits()
{
    const AxisLimitSet noise { 10, 10, -2, -2 };
    const AxisLimitSet other { 20, 20, 0, 0 };
    return { noise, other, other, other, noise };
}

namespace {

using S = SettingKey;

AxisLimitSet &LimitsOf(GraphSettings &graphs, int graph)
{
    return graphs.axes[static_cast<size_t>(graph - 1)];
}

} // namespace

GraphSettings GraphSettingsFrom(const Settings &settings)
{
    GraphSettings graphs;
    graphs.sample = settings.integer(S::Sample);
    graphs.pointsPerPage = settings.integer(S::PointsperPage);
    graphs.user1 = settings.integer(S::User1);
    graphs.user2 = settings.integer(S::User2);
    graphs.total1 = settings.flag(S::Total1);
    graphs.lastHour1 = settings.flag(S::LastHour1);
    graphs.total2 = settings.flag(S::Total2);
    graphs.lastHour2 = settings.flag(S::LastHour2);
    graphs.saveAxes = settings.flag(S::SaveAxes);
    for (int graph = 1; graph <= 5; ++graph) {
        AxisLimitSet &limits = LimitsOf(graphs, graph);
        limits.leftMax = settings.integer(AxisKey(graph, AxisSide::Left, AxisLimit::Maximum));
        limits.rightMax = settings.integer(AxisKey(graph, AxisSide::Right, AxisLimit::Maximum));
        limits.leftMin = settings.integer(AxisKey(graph, AxisSide::Left, AxisLimit::Minimum));
        limits.rightMin = settings.integer(AxisKey(graph, AxisSide::Right, AxisLimit::Minimum));
    }
    graphs.threeD = settings.text(S::ThreeD);
    graphs.dateStamp = settings.flag(S::DateStamp);
    graphs.webWidth = StrToIntDef(settings.text(S::webWidth), 500);
    graphs.webHeight = StrToIntDef(settings.text(S::webHeight), 300);
    return graphs;
}

void StoreGraphSettings(const GraphSettings &graphs, Settings &settings)
{
    settings.setInteger(S::Sample, graphs.sample);
    settings.setInteger(S::PointsperPage, graphs.pointsPerPage);
    settings.setInteger(S::User1, graphs.user1);
    settings.setInteger(S::User2, graphs.user2);
    settings.setFlag(S::Total1, graphs.total1);
    settings.setFlag(S::LastHour1, graphs.lastHour1);
    settings.setFlag(S::Total2, graphs.total2);
    settings.setFlag(S::LastHour2, graphs.lastHour2);
    settings.setText(S::ThreeD, graphs.threeD);
    settings.setFlag(S::DateStamp, graphs.dateStamp);
    settings.setFlag(S::SaveAxes, graphs.saveAxes);
    if (!graphs.saveAxes)
        return;
    for (int graph = 1; graph <= 5; ++graph) {
        const AxisLimitSet &limits = graphs.axes[static_cast<size_t>(graph - 1)];
        settings.setInteger(AxisKey(graph, AxisSide::Left, AxisLimit::Maximum), limits.leftMax);
        settings.setInteger(AxisKey(graph, AxisSide::Right, AxisLimit::Maximum), limits.rightMax);
        settings.setInteger(AxisKey(graph, AxisSide::Left, AxisLimit::Minimum), limits.leftMin);
        settings.setInteger(AxisKey(graph, AxisSide::Right, AxisLimit::Minimum), limits.rightMin);
    }
}
