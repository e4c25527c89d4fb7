#pragma once

#include "sampling/sample_pipeline.h"

class PublishedFiguresStore;
class Settings;

// The /metrics step: keeps the figures of the latest sample, the sample
// count and whether the last page load was the statistics page in the store
// the web server reads. The user-defined figures and the uptime count only
// when the load was read as the statistics page.
class MetricsStep final : public SampleStep {
public:
    MetricsStep(PublishedFiguresStore &store, const Settings &settings) : m_store(store), m_settings(settings)
    {
    }

    void pageLoaded(const PageLoad &load) override;
    void sampleTaken(const PageLoad &load) override;

private:
    PublishedFiguresStore &m_store;
    const Settings &m_settings;
};
