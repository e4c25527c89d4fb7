#pragma once

#include "base/user_figure.h"
#include "sampling/line_sample.h"
#include "sampling/run_state.h"

#include <QDateTime>

#include <memory>
#include <optional>
#include <vector>

// What the parts that plot tell the navigation about the graphs when it
// builds a page load: the samples plotted so far and the points per page.
struct LoadContext {
    int plotCount = 0;
    int pageLength = 0;
};

// One page load as the navigation hands it on: the sample and what the
// steps need to know about it, found once when the load is built.
struct PageLoad {
    PageLoad(const LineSample &loadSample, const QDateTime &loadMoment, bool isStatisticsPage, bool isRunning)
        : sample(loadSample), moment(loadMoment), statisticsPage(isStatisticsPage), running(isRunning)
    {
    }

    const LineSample &sample;
    QDateTime moment; // when the page finished loading, as the log line gives it
    bool statisticsPage = false; // read as the router's statistics page
    bool running = false; // the run state was Running

    // The samples plotted once this load's sample is plotted: one more than
    // before for a sample, as many as before otherwise.
    int plotCount = 0;
    int pageLength = 0; // plotted points per page
    // The router's uptime as this load read it; nothing when the load was
    // not read as the statistics page (the text is then an earlier page's)
    // or the text does not read as an uptime.
    std::optional<qint64> uptimeSeconds;
    // The figures the user-defined graphs show, as the page was read for.
    UserFigure user1 = UserFigure::None;
    UserFigure user2 = UserFigure::None;

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
    // The sample cycle's run state changed: Running after every Start
    // (while running too), Paused after a Pause, Stopped after a Stop.
    virtual void runStateChanged(RunState state) { Q_UNUSED(state); }
};

// The ordered steps every page load goes through. Steps are added where the
// program is put together; their stage fixes where they run, whatever the
// order they were added in.
class SamplePipeline {
public:
    enum class Stage { Plot, Capture, Tray, WebImage, Log, History, Status, LineEvents, Metrics };

    void add(Stage stage, std::unique_ptr<SampleStep> step);
    bool empty() const { return m_steps.empty(); }

    // Every step sees the load; only a sample goes on through the steps.
    void run(const PageLoad &load) const;
    // Every step hears of the new run state, in stage order.
    void runStateChanged(RunState state) const;

private:
    struct Entry {
        Stage stage;
        std::unique_ptr<SampleStep> step;
    };
    std::vector<Entry> m_steps;
};
