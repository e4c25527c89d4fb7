#pragma once

#include "outputs/output_settings.h"
#include "sampling/sample_pipeline.h"

#include <QString>

#include <functional>

// The status bar's size texts after a sample: the log file's name and size
// (while logging is on) and the capture folder's size.
struct StatusTexts {
    QString log;
    QString captureFolder;
};

// The status step: measures the log and the capture folder after each
// sample and hands the texts to whatever shows them.
class StatusStep final : public SampleStep {
public:
    using Show = std::function<void(const StatusTexts &texts)>;

    StatusStep(const Settings &settings, Show show) : m_settings(settings), m_show(std::move(show)) { }

    void sampleTaken(const PageLoad &load) override;

private:
    OutputSettings m_settings;
    Show m_show;
};

// The texts the status bar starts with: the log's only when its file exists.
StatusTexts StatusTextsAtStartUp(const Settings &settings);
