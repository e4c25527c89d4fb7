#pragma once

#include "sampling/sample_pipeline.h"

class GraphModel;

// The plotting step: every page load sets the graphs' label spacing; a
// sample adds its points to every graph.
class PlotStep final : public SampleStep {
public:
    explicit PlotStep(GraphModel &graphs) : m_graphs(graphs) { }

    void pageLoaded(const PageLoad &load) override;
    void sampleTaken(const PageLoad &load) override;

private:
    GraphModel &m_graphs;
};
