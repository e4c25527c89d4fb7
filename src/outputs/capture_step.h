#pragma once

#include "sampling/sample_pipeline.h"

class CaptureRules;
class GraphCapture;
class GraphModel;

// The capture step of every sample: the automatic capture rules, right
// after plotting, capturing all graphs when they say so.
class CaptureStep final : public SampleStep {
public:
    CaptureStep(CaptureRules &rules, GraphCapture &capture, const GraphModel &graphs)
        : m_rules(rules), m_capture(capture), m_graphs(graphs)
    {
    }

    void sampleTaken(const PageLoad &load) override;

private:
    CaptureRules &m_rules;
    GraphCapture &m_capture;
    const GraphModel &m_graphs;
};
