#pragma once

#include "outputs/line_events.h"
#include "sampling/sample_pipeline.h"

class LineEventHistory;
class PublishedFiguresStore;
class Settings;

// The line events step: finds the events in consecutive samples, keeps them
// in the history, appends them to the events file beside the log while
// logging is on, and counts them per kind for /metrics. The counts start
// at 0 with the program, as Prometheus counters do.
class LineEventsStep final : public SampleStep {
public:
    LineEventsStep(LineEventHistory &history, const Settings &settings, PublishedFiguresStore &figures)
        : m_history(history), m_settings(settings), m_figures(figures)
    {
    }

    void sampleTaken(const PageLoad &load) override;

private:
    void record(const LineEvent &event);

    LineEventHistory &m_history;
    const Settings &m_settings;
    PublishedFiguresStore &m_figures;
    LineEventDetector m_detector;
};
