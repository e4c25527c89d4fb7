#pragma once

#include "sampling/sample_pipeline.h"

#include <functional>

class PublishedFiguresStore;

// The /metrics step: keeps in the store the web server reads the line as
// the last page load showed it (only when that load was the statistics
// page: the margins, speeds, uptime and user-defined figures of any other
// load would be zeros or an earlier page's), the sample count and moment,
// the sample interval and the run state.
class MetricsStep final : public SampleStep {
public:
    // intervalMs tells the sample timer's interval now; without it the
    // interval is not published.
    explicit MetricsStep(PublishedFiguresStore &store, std::function<int()> intervalMs = {})
        : m_store(store), m_intervalMs(std::move(intervalMs))
    {
    }

    void pageLoaded(const PageLoad &load) override;
    void sampleTaken(const PageLoad &load) override;
    void runStateChanged(RunState state) override;

private:
    int intervalMs() const { return m_intervalMs ? m_intervalMs() : 0; }

    PublishedFiguresStore &m_store;
    std::function<int()> m_intervalMs;
};
