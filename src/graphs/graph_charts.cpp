#include "graphs/graph_charts.h"

#include "graphs/chart.h"
#include "graphs/graph_model.h"

#include <algorithm>

GraphCharts::GraphCharts(const GraphModel &model, QWidget *owner)
{
    for (int number = 1; number <= 4; ++number)
        m_charts[static_cast<size_t>(number - 1)] = new Chart(model.graph(number), owner);
}

Chart &GraphCharts::chart(int number) const
{
    return *m_charts.at(static_cast<size_t>(std::clamp(number, 1, 4) - 1));
}

Chart *GraphCharts::chartOfPage(int pageIndex) const
{
    return pageIndex >= 1 && pageIndex <= 4 ? &chart(pageIndex) : nullptr;
}

void GraphCharts::resize(const QSize &size) const
{
    for (Chart *chart : m_charts)
        chart->resize(size);
}
