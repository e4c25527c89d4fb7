#pragma once

#include "sampling/sample_pipeline.h"

class CaptureRules;
class GraphCapture;

// The capture step of every sample: the automatic capture rules, right
// after plotting, capturing all graphs when they say so. Start and Pause
// end a pending follow-up and set the indicators.
class CaptureStep final : public SampleStep {
public:
    CaptureStep(CaptureRules &rules, GraphCapture &capture) : m_rules(rules), m_capture(capture) { }

    void sampleTaken(const PageLoad &load) override;
    void runStateChanged(RunState state) override;

private:
    CaptureRules &m_rules;
    GraphCapture &m_capture;
};
