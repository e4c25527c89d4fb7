#include "sampling/sample_pipeline.h"

#include <algorithm>

void SamplePipeline::add(Stage stage, std::unique_ptr<SampleStep> step)
{
    const auto after = std::upper_bound(
        m_steps.begin(), m_steps.end(), stage, [](Stage s, const Entry &entry) { return s < entry.stage; });
    m_steps.insert(after, Entry { stage, std::move(step) });
}

void SamplePipeline::run(const PageLoad &load) const
{
    for (const Entry &entry : m_steps)
        entry.step->pageLoaded(load);
    if (!load.isSample())
        return;
    for (const Entry &entry : m_steps)
        entry.step->sampleTaken(load);
}

void SamplePipeline::runStateChanged(RunState state) const
{
    for (const Entry &entry : m_steps)
        entry.step->runStateChanged(state);
}
