#include "outputs/capture_step.h"

#include "graphs/graph_model.h"
#include "outputs/capture_rules.h"
#include "outputs/graph_capture.h"

void CaptureStep::sampleTaken(const PageLoad &load)
{
    CaptureRuleSample sample;
    sample.plotCount = m_graphs.PlotCount();
    sample.pointsPerPage = m_graphs.pageLength();
    sample.speedDown = load.sample.speedDown;
    sample.noiseMarginDown = load.sample.noiseMarginDown;
    m_rules.sampleProcessed(sample, [this] { m_capture.captureAll(); });
}
