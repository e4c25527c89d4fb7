#include "outputs/capture_step.h"

#include "outputs/capture_rules.h"
#include "outputs/graph_capture.h"

void CaptureStep::sampleTaken(const PageLoad &load)
{
    CaptureRuleSample sample;
    sample.plotCount = load.plotCount;
    sample.pointsPerPage = load.pageLength;
    sample.speedDown = load.sample.speedDown;
    sample.noiseMarginDown = load.sample.noiseMarginDown;
    m_rules.sampleProcessed(sample, [this] { m_capture.captureAll(); });
}

void CaptureStep::runStateChanged(RunState state)
{
    if (state == RunState::Running)
        m_rules.runStarted();
    else if (state == RunState::Paused)
        m_rules.runPaused();
}
