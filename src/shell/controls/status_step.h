#pragma once

#include "outputs/output_settings.h"
#include "sampling/sample_pipeline.h"
#include "shell/controls/folder_size_cache.h"

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

    StatusStep(const Settings &settings, const Clock &clock, Show show)
        : m_settings(settings), m_show(std::move(show)), m_folderSizes(clock)
    {
    }

    void sampleTaken(const PageLoad &load) override;

private:
    OutputSettings m_settings;
    Show m_show;
    FolderSizeCache m_folderSizes;
};

// The texts the status bar starts with: the log's only when its file exists.
StatusTexts StatusTextsAtStartUp(const Settings &settings);
