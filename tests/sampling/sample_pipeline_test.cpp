// The pipeline's contract with its steps: what a page load built by the
// navigation tells them, and the run state reaching every step.
#include "base/settings.h"
#include "demo/hub_a_pages.h"
#include "sampling/router_navigation.h"
#include "sampling/sample_cycle.h"
#include "sampling/sample_pipeline.h"
#include "support/fake_browser_view.h"
#include "support/fake_clock.h"
#include "support/fixture_pages.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Stage = SamplePipeline::Stage;
using Heard = std::vector<std::pair<Stage, RunState>>;

// Records the run states it hears, under its stage.
class StateRecorder final : public SampleStep {
public:
    StateRecorder(Heard &heard, Stage stage) : m_heard(heard), m_stage(stage) { }
    void sampleTaken(const PageLoad &load) override { Q_UNUSED(load); }
    void runStateChanged(RunState state) override { m_heard.emplace_back(m_stage, state); }

private:
    Heard &m_heard;
    Stage m_stage;
};

// A step that does not listen to the run state at all.
class DeafStep final : public SampleStep {
public:
    void sampleTaken(const PageLoad &load) override { Q_UNUSED(load); }
};

TEST(SamplePipelineTest, EveryStepHearsTheRunStateInStageOrder)
{
    const std::vector<Stage> stageOrder { Stage::Plot, Stage::Capture, Stage::Tray, Stage::WebImage,
        Stage::Log, Stage::Status, Stage::LineEvents, Stage::Metrics };
    Heard heard;
    SamplePipeline pipeline;
    pipeline.add(Stage::Log, std::make_unique<DeafStep>());
    for (const Stage stage : { Stage::Metrics, Stage::Tray, Stage::Plot, Stage::Status, Stage::Log,
             Stage::WebImage, Stage::LineEvents, Stage::Capture })
        pipeline.add(stage, std::make_unique<StateRecorder>(heard, stage));

    for (const RunState state : { RunState::Running, RunState::Paused, RunState::Stopped, RunState::Idle }) {
        SCOPED_TRACE(RunStateTitle(state).toStdString());
        heard.clear();
        pipeline.runStateChanged(state);
        Heard expected;
        for (const Stage stage : stageOrder)
            expected.emplace_back(stage, state);
        EXPECT_EQ(heard, expected);
    }
}

// What a step learns of one load.
struct Seen {
    bool sample = false;
    int plotCount = 0;
    int pageLength = 0;
    std::optional<qint64> uptimeSeconds;
    UserFigure user1 = UserFigure::None;
    UserFigure user2 = UserFigure::None;
};

class LoadRecorder final : public SampleStep {
public:
    explicit LoadRecorder(std::vector<Seen> &seen) : m_seen(seen) { }
    void pageLoaded(const PageLoad &load) override
    {
        m_seen.push_back(
            { load.isSample(), load.plotCount, load.pageLength, load.uptimeSeconds, load.user1, load.user2 });
    }
    void sampleTaken(const PageLoad &load) override { Q_UNUSED(load); }

private:
    std::vector<Seen> &m_seen;
};

// A Type A router's pages through the real navigation; the graphs are
// stood in for by the load context the test sets.
class BuiltLoadTest : public ::testing::Test {
protected:
    BuiltLoadTest()
    {
        settings.setInteger(SettingKey::Type, 0);
        settings.setInteger(SettingKey::User1, UserFigureIndex(UserFigure::CrcErrors));
        settings.setInteger(SettingKey::User2, UserFigureIndex(UserFigure::OutputPower));
        pipeline.add(Stage::Metrics, std::make_unique<LoadRecorder>(seen));
        navigation.setLoadContext([this] { return context; });
    }

    // The statistics page of a router up for routerUptime seconds, as its
    // script counts them (one short).
    static QString statisticsPage(qint64 routerUptime)
    {
        LineFigures line;
        line.marginDown = 6.2;
        line.speedDown = 7616;
        line.routerUptime = routerUptime;
        return HubAStatisticsPage(line, QStringLiteral("/index.cgi?active%5fpage=9118"));
    }

    FakeBrowserView view;
    NavigationUrls urls;
    LineSample sample;
    FakeClock clock;
    Settings settings { SettingsContext() };
    SampleCycle cycle { view, urls, sample, clock };
    SamplePipeline pipeline;
    RouterNavigation navigation { view, cycle, urls, sample, clock, settings, pipeline };
    LoadContext context;
    std::vector<Seen> seen;
};

TEST_F(BuiltLoadTest, ALoadCarriesTheGraphsCountsTheUserFiguresAndTheUptimeRead)
{
    const struct {
        const char *what;
        bool pauseFirst;
        QString page;
        LoadContext context;
        UserFigure user1Setting;
        Seen expected;
    } loads[] = {
        // The first statistics page starts sampling: a sample, one more plotted.
        { "first statistics page", false, statisticsPage(176522), { 41, 120 }, UserFigure::CrcErrors,
            { true, 42, 120, 2 * 86400 + 3723, UserFigure::CrcErrors, UserFigure::OutputPower } },
        // The uptime text left from the page before is not this load's.
        { "a page without statistics", false, QStringLiteral("<p>Home</p>"), { 42, 120 },
            UserFigure::CrcErrors,
            { true, 43, 120, std::nullopt, UserFigure::CrcErrors, UserFigure::OutputPower } },
        // Paused, the page is read but not plotted; a changed choice counts at once.
        { "statistics page while paused", true, statisticsPage(59), { 43, 60 }, UserFigure::LineAttenuation,
            { false, 43, 60, 60, UserFigure::LineAttenuation, UserFigure::OutputPower } },
    };
    for (const auto &load : loads) {
        SCOPED_TRACE(load.what);
        if (load.pauseFirst)
            cycle.btnStopClick();
        context = load.context;
        settings.setInteger(SettingKey::User1, UserFigureIndex(load.user1Setting));
        seen.clear();
        view.complete(FakeDocument(StatsDocumentUrl, load.page));
        ASSERT_EQ(seen.size(), 1u);
        const Seen &got = seen.front();
        EXPECT_EQ(got.sample, load.expected.sample);
        EXPECT_EQ(got.plotCount, load.expected.plotCount);
        EXPECT_EQ(got.pageLength, load.expected.pageLength);
        EXPECT_EQ(got.uptimeSeconds, load.expected.uptimeSeconds);
        EXPECT_EQ(got.user1, load.expected.user1);
        EXPECT_EQ(got.user2, load.expected.user2);
    }
}

} // namespace
