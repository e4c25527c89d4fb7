#include "graphs/paging.h"

#include "graphs/axis_refused.h"
#include "graphs/chart_axes.h"

namespace {

// Moves one graph's window; a graph whose window cannot take the new one
// (dragged far beyond the newest point) keeps its own and the others move.
void MoveWindow(ChartAxes &graph, double low, double high)
{
    try {
        SetRangeSafely(graph, ChartAxis::Bottom, low, high);
    } catch (const AxisRefused &) {
    }
}

} // namespace

void MoveToNewestPage(const GraphAxesList &graphs, int L, int plotCount)
{
    if (L < 0 || L >= plotCount)
        return;
    for (ChartAxes *graph : graphs)
        MoveWindow(*graph, plotCount - L, plotCount);
}

void ShowFirstPage(const GraphAxesList &graphs, int L)
{
    if (L < 0)
        return;
    for (ChartAxes *graph : graphs)
        MoveWindow(*graph, 0, L);
}

void ShowPreviousPage(const GraphAxesList &graphs, int L)
{
    if (L < 0 || graphs.empty())
        return;
    const bool toStart = L >= graphs.front()->minimum(ChartAxis::Bottom);
    for (ChartAxes *graph : graphs) {
        const double low = toStart ? 0.0 : graph->minimum(ChartAxis::Bottom) - L;
        MoveWindow(*graph, low, low + L);
    }
}

void ShowNextPage(const GraphAxesList &graphs, int L, int plotCount)
{
    if (L < 0 || graphs.empty() || L >= plotCount)
        return;
    if (plotCount > L + graphs.front()->maximum(ChartAxis::Bottom)) {
        for (ChartAxes *graph : graphs) {
            const double high = graph->maximum(ChartAxis::Bottom) + L;
            MoveWindow(*graph, high - L, high);
        }
        return;
    }
    MoveToNewestPage(graphs, L, plotCount);
}

void ApplyPageLength(const GraphAxesList &graphs, int L)
{
    try {
        for (ChartAxes *graph : graphs)
            graph->setMaximum(ChartAxis::Bottom, L + graph->minimum(ChartAxis::Bottom));
    } catch (const AxisRefused &) {
    }
}
