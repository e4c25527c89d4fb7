#pragma once

#include "sampling/sample_pipeline.h"

class PublishedFiguresStore;

// The /metrics step: keeps the figures of the latest sample, the sample
// count, whether the last page load was the statistics page and the run
// state in the store the web server reads. The user-defined figures and
// the uptime count only when the load was read as the statistics page.
class MetricsStep final : public SampleStep {
public:
    explicit MetricsStep(PublishedFiguresStore &store) : m_store(store) { }

    void pageLoaded(const PageLoad &load) override;
    void sampleTaken(const PageLoad &load) override;
    void runStateChanged(RunState state) override;

private:
    PublishedFiguresStore &m_store;
};
