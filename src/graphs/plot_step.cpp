#include "graphs/plot_step.h"

#include "graphs/graph_model.h"

void PlotStep::pageLoaded(const PageLoad &load)
{
    Q_UNUSED(load);
    m_graphs.setLabelSpacing();
}

void PlotStep::sampleTaken(const PageLoad &load)
{
    m_graphs.PlotSample(load.sample, load.moment);
}
