#pragma once

#include "sampling/line_sample.h"

#include <QDateTime>

#include <memory>
#include <vector>

// One page load as the navigation hands it on.
struct PageLoad {
    const LineSample &sample;
    QDateTime moment; // when the page finished loading, as the log line gives it
    bool statisticsPage = false; // read as the router's statistics page
    bool running = false; // the run state was Running

    // Every load while sampling runs is a sample once a statistics page has
    // been read since start-up; a page that is not the statistics page then
    // counts with zero margins and speeds, so a router that stops answering
    // shows as a drop to zero.
    bool isSample() const { return running && sample.pageRead; }
};

// One step of the per-sample pipeline.
class SampleStep {
public:
    virtual ~SampleStep() = default;

    // Every page load that reaches the pipeline, sample or not.
    virtual void pageLoaded(const PageLoad &load) { Q_UNUSED(load); }
    // A page load that is a sample.
    virtual void sampleTaken(const PageLoad &load) = 0;
};

// The ordered steps every page load goes through. Steps are added where the
// program is put together; their stage fixes where they run, whatever the
// order they were added in.
class SamplePipeline {
public:
    enum class Stage { Plot, Capture, Tray, WebImage, Log, Status, LineEvents, Metrics };

    void add(Stage stage, std::unique_ptr<SampleStep> step);
    bool empty() const { return m_steps.empty(); }

    // Every step sees the load; only a sample goes on through the steps.
    void run(const PageLoad &load) const;

private:
    struct Entry {
        Stage stage;
        std::unique_ptr<SampleStep> step;
    };
    std::vector<Entry> m_steps;
};
