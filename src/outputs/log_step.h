#pragma once

#include "outputs/output_settings.h"
#include "sampling/sample_pipeline.h"

class SampleLog;

// The log step: appends each sample's log line to the log file while
// logging is on (cbLog); the log itself skips lines while it is trimmed.
class LogStep final : public SampleStep {
public:
    LogStep(SampleLog &log, const Settings &settings) : m_log(log), m_settings(settings) { }

    void sampleTaken(const PageLoad &load) override;

private:
    SampleLog &m_log;
    OutputSettings m_settings;
};
