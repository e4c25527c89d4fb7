// The line monitor with no window at all: the navigation hands each page
// load to the pipeline, whose steps are added as the program puts them
// together.
#include "demo/hub_a_pages.h"
#include "graphs/graph_model.h"
#include "outputs/history_step.h"
#include "outputs/history_store.h"
#include "outputs/line_events_log.h"
#include "outputs/line_events_step.h"
#include "outputs/log_step.h"
#include "outputs/metrics_text.h"
#include "sampling/router_navigation.h"
#include "sampling/sample_cycle.h"
#include "shell/program/history_at_start.h"
#include "shell/program/line_monitor.h"
#include "support/fake_browser_view.h"
#include "support/fake_clock.h"
#include "support/fixture_pages.h"
#include "support/qt_printers.h"
#include "support/temp_data_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

// Records the loads and samples that reach it, and when.
class RecordingStep final : public SampleStep {
public:
    RecordingStep(QStringList &events, QString name) : m_events(events), m_name(std::move(name)) { }
    void pageLoaded(const PageLoad &load) override
    {
        m_events << m_name + QStringLiteral(" load ") + (load.statisticsPage ? u'S' : u'-');
    }
    void sampleTaken(const PageLoad &load) override
    {
        m_events << m_name + QStringLiteral(" sample ") + load.moment.toString(QStringLiteral("hh:mm:ss"));
    }

private:
    QStringList &m_events;
    QString m_name;
};

// Records the run states it hears, as the title shows them.
class StateRecorder final : public SampleStep {
public:
    explicit StateRecorder(QStringList &heard) : m_heard(heard) { }
    void sampleTaken(const PageLoad &load) override { Q_UNUSED(load); }
    void runStateChanged(RunState state) override { m_heard << RunStateTitle(state); }

private:
    QStringList &m_heard;
};

class LineMonitorTest : public ::testing::Test {
protected:
    void open()
    {
        Settings settings(SettingsContextOf(context()));
        settings.setInteger(SettingKey::Type, 0);
        settings.setText(SettingKey::HHAUrl, QStringLiteral("/index.cgi?active_page=9118&"));
        settings.setFlag(SettingKey::cbLog, true);
        ASSERT_TRUE(settings.SaveIni(context().settingsPath));
        monitor = std::make_unique<LineMonitor>(context(), view);
        monitor->applySettings();
        monitor->navigation().initialNavigation(monitor->settingsFileExists());
    }

    MonitorContext context() const
    {
        return MonitorContext { &clock, data.path(), data.filePath(QStringLiteral("linewarden.ini")),
            QRect() };
    }

    void statisticsPage()
    {
        view.complete(FakeDocument(StatsDocumentUrl, FixturePage(QStringLiteral("hub-a-statistics.html"))));
    }

    QStringList logLines() const
    {
        return QString::fromUtf8(data.readFile(QStringLiteral("log.txt")))
            .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }

    TempDataDir data;
    FakeClock clock;
    FakeBrowserView view;
    std::unique_ptr<LineMonitor> monitor;
    QStringList events;
};

// At start-up, with "Show the last day from history when starting" on in the
// settings file, the graphs begin with what the history gives; off, the
// history is not asked.
TEST_F(LineMonitorTest, TheLastDayOfHistoryFillsTheGraphsOnlyWhenTheOptionIsOn)
{
    const struct {
        bool on;
        int stored;
        int asked;
    } cases[] = { { false, 2, 0 }, { true, 2, 1 }, { true, 0, 1 } };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.on << " " << c.stored);
        Settings settings(SettingsContextOf(context()));
        settings.setFlag(SettingKey::HistoryAtStart, c.on);
        ASSERT_TRUE(settings.SaveIni(context().settingsPath));
        monitor = std::make_unique<LineMonitor>(context(), view);
        monitor->applySettings();
        monitor->graphs().startUp();
        int asked = 0;
        ShowLastDayAtStartUp(*monitor, [&](LineMonitor &) {
            ++asked;
            std::vector<HistoryRecord> day(static_cast<size_t>(c.stored));
            for (int i = 0; i < c.stored; ++i)
                day[static_cast<size_t>(i)].moment = clock.now().addSecs(30 * (i - c.stored));
            return day;
        });
        EXPECT_EQ(asked, c.asked);
        const int plotted = c.on ? c.stored : 0;
        EXPECT_EQ(monitor->graphs().PlotCount(), plotted);
        EXPECT_EQ(monitor->graphs().graph(1).marks().size(), plotted > 0 ? 1U : 0U);
    }
}

TEST_F(LineMonitorTest, StepsRunInTheirStageOrderAndOnlySamplesGoPastTheLoad)
{
    open();
    SamplePipeline &pipeline = monitor->pipeline();
    pipeline.add(
        SamplePipeline::Stage::Status, std::make_unique<RecordingStep>(events, QStringLiteral("status")));
    pipeline.add(
        SamplePipeline::Stage::Plot, std::make_unique<RecordingStep>(events, QStringLiteral("plot")));
    pipeline.add(SamplePipeline::Stage::Log, std::make_unique<LogStep>(monitor->log(), monitor->settings()));

    // Before any statistics page: seen, but no sample.
    view.complete(FakeDocument(StatsDocumentUrl, QStringLiteral("<p>Home</p>")));
    EXPECT_EQ(events, (QStringList { QStringLiteral("plot load -"), QStringLiteral("status load -") }));
    EXPECT_FALSE(QFileInfo::exists(data.filePath(QStringLiteral("log.txt"))));

    events.clear();
    statisticsPage();
    EXPECT_EQ(events,
        (QStringList { QStringLiteral("plot load S"), QStringLiteral("status load S"),
            QStringLiteral("plot sample 10:00:00"), QStringLiteral("status sample 10:00:00") }));
    EXPECT_EQ(logLines().size(), 3);
    EXPECT_TRUE(logLines().constLast().startsWith(u"Wed 09 Dec 2026  10:00:00, "));
}

// Every change of the run state reaches the steps once; a Pause that
// changes nothing is not heard.
TEST_F(LineMonitorTest, TheStepsHearEveryRunStateChange)
{
    open();
    monitor->pipeline().add(SamplePipeline::Stage::Tray, std::make_unique<StateRecorder>(events));
    const struct {
        void (SampleCycle::*action)();
        QStringList heard;
    } actions[] = {
        { &SampleCycle::btnRunClick, { QStringLiteral("Linewarden   [Running]") } },
        { &SampleCycle::btnRunClick, { QStringLiteral("Linewarden   [Running]") } },
        { &SampleCycle::btnStopClick, { QStringLiteral("Linewarden   [Paused]") } },
        { &SampleCycle::btnStopClick, {} },
        { &SampleCycle::btnStopMouseDown, { QStringLiteral("Linewarden   [Stopped]") } },
    };
    for (const auto &a : actions) {
        events.clear();
        (monitor->cycle().*a.action)();
        EXPECT_EQ(events, a.heard);
    }
}

TEST_F(LineMonitorTest, SamplingStartsByItselfOnceOnly)
{
    open();
    // The picture folders exist from the start.
    EXPECT_TRUE(QFileInfo(data.filePath(QStringLiteral("Capture"))).isDir());
    EXPECT_TRUE(QFileInfo(data.filePath(QStringLiteral("WebServer"))).isDir());
    statisticsPage();
    SampleCycle &cycle = monitor->cycle();
    ASSERT_EQ(cycle.runState(), RunState::Running);
    EXPECT_TRUE(monitor->navigation().autoStarted());

    // Paused by the user, the statistics page reached again does not start
    // sampling: only the user, the resume or paging does.
    cycle.btnStopClick();
    statisticsPage();
    EXPECT_EQ(cycle.runState(), RunState::Paused);
}

TEST_F(LineMonitorTest, AFailedLoginStopsTheLoadAndTakesNoSample)
{
    open();
    statisticsPage();
    const int stops = view.stops;
    int wanted = 0;
    QObject::connect(&monitor->navigation(), &RouterNavigation::routerPageWanted, [&wanted] { ++wanted; });
    for (const QString &page : { QStringLiteral("<p>The password is incorrect</p>"),
             QStringLiteral("<p>Your password hint: the usual</p>") }) {
        SCOPED_TRACE(page.toStdString());
        const int lines = logLines().size();
        view.complete(FakeDocument(StatsDocumentUrl, page));
        EXPECT_EQ(logLines().size(), lines);
    }
    EXPECT_EQ(view.stops, stops + 2);
    EXPECT_EQ(wanted, 2);
}

TEST_F(LineMonitorTest, TheSettingsAreReadOnceAndSavedWithWhatTheRunLearned)
{
    open();
    statisticsPage();
    // The file changes under the running program: the settings in memory
    // are the truth, and the save writes them.
    ASSERT_TRUE(
        data.writeFile(QStringLiteral("linewarden.ini"), "[LW-BT]\r\nType=1\r\n[Mine]\r\nKeep=yes\r\n"));
    monitor->prepareClose();
    ASSERT_TRUE(monitor->SaveIni());
    const QByteArray saved = data.readFile(QStringLiteral("linewarden.ini"));
    EXPECT_TRUE(saved.contains("Type=0\r\n"));
    EXPECT_TRUE(saved.contains("[Mine]\r\nKeep=yes\r\n"));
    EXPECT_TRUE(saved.contains("ActualUrl=http://192.168.1.254/index.cgi?active_page=9118&\r\n"));
}

// Start runs the daily check, so a job whose minute it is runs then.
TEST_F(LineMonitorTest, StartRunsTheDailyCheck)
{
    open();
    Settings &settings = monitor->settings();
    settings.setFlag(SettingKey::TrimLog, true);
    settings.setInteger(SettingKey::TrimLines, 1);
    settings.setText(SettingKey::TrimTime, QStringLiteral("10:00"));
    ASSERT_TRUE(data.writeFile(QStringLiteral("log.txt"), "Head\r\n----\r\nd1\r\nd2\r\nd3\r\n"));
    monitor->cycle().btnRunClick();
    EXPECT_EQ(
        logLines(), (QStringList { QStringLiteral("Head"), QStringLiteral("----"), QStringLiteral("d3") }));
}

// Every sample goes into the history in the data folder, logged or not,
// with the figures it was read for; the first check of a later day trims it
// to HistoryDays.
TEST_F(LineMonitorTest, TheHistoryKeepsEverySampleAndIsTrimmedOnALaterDay)
{
    open();
    ASSERT_NE(monitor->history(), nullptr);
    EXPECT_EQ(monitor->history()->path(), data.filePath(QStringLiteral("history.sqlite")));
    monitor->pipeline().add(
        SamplePipeline::Stage::History, std::make_unique<HistoryStep>([this] { return monitor->history(); }));
    monitor->settings().setFlag(SettingKey::cbLog, false);
    statisticsPage();
    monitor->history()->waitForWrites();
    const std::vector<HistoryRecord> kept = monitor->history()->read({}, {});
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].moment, QDateTime(QDate(2026, 12, 9), QTime(10, 0), Qt::UTC));
    EXPECT_TRUE(kept[0].statisticsPage);
    ASSERT_EQ(kept[0].figures.size(), 2u);
    EXPECT_EQ(kept[0].figures[0].figure, UserFigure::CrcErrors);
    EXPECT_EQ(kept[0].figures[1].figure, UserFigure::HecErrors);
    EXPECT_FALSE(QFileInfo::exists(data.filePath(QStringLiteral("log.txt"))));

    monitor->settings().setInteger(SettingKey::HistoryDays, 1);
    clock.advanceSeconds(2 * 86400);
    monitor->cycle().btnRunClick();
    monitor->history()->waitForWrites();
    EXPECT_TRUE(monitor->history()->read({}, {}).empty());
}

// Without a history, sampling and the log go on; the user hears it once.
TEST_F(LineMonitorTest, AHistoryThatCannotBeOpenedIsToldOnceAndSamplingGoesOn)
{
    ASSERT_TRUE(QDir(data.path()).mkdir(QStringLiteral("history.sqlite")));
    QStringList told;
    open();
    QObject::connect(
        monitor.get(), &LineMonitor::historyProblem, [&told](const QString &text) { told << text; });
    EXPECT_EQ(monitor->history(), nullptr);
    monitor->pipeline().add(
        SamplePipeline::Stage::History, std::make_unique<HistoryStep>([this] { return monitor->history(); }));
    monitor->pipeline().add(
        SamplePipeline::Stage::Log, std::make_unique<LogStep>(monitor->log(), monitor->settings()));
    statisticsPage();
    clock.advanceSeconds(86400);
    monitor->cycle().btnRunClick(); // the daily retry fails as well
    QCoreApplication::processEvents();
    EXPECT_EQ(logLines().size(), 3);
    EXPECT_EQ(told.size(), 1);
}

// A scripted line through the whole monitor: the drop, the line back at
// other speeds, the router off and on again; then the program restarted.
TEST_F(LineMonitorTest, ALineScriptGivesItsEventsOnceAcrossARestart)
{
    open();
    const auto addStep = [this] {
        monitor->pipeline().add(SamplePipeline::Stage::LineEvents,
            std::make_unique<LineEventsStep>(
                monitor->lineEvents(), monitor->settings(), monitor->webServer().figures()));
    };
    addStep();
    LineFigures line;
    line.marginDown = 6.1;
    line.marginUp = 5.9;
    line.speedDown = 8000;
    line.speedUp = 1000;
    line.routerUptime = 5000;
    const auto page = [&](bool statistics) {
        clock.advanceSeconds(30);
        line.routerUptime += 30;
        view.complete(FakeDocument(StatsDocumentUrl,
            statistics ? HubAStatisticsPage(line, QStringLiteral("/index.cgi?active%5fpage=9118"))
                       : QStringLiteral("<h1>This site can't be reached</h1>")));
    };
    const auto kinds = [&] {
        QStringList found;
        for (const LineEvent &event : ReadLineEvents(data.filePath(QStringLiteral("events.txt")), 100))
            found << LineEventText(event.kind);
        return found;
    };

    page(true);
    page(true);
    line.speedDown = line.speedUp = 0; // the drop
    page(true);
    line.speedDown = 7000; // back at other speeds
    line.speedUp = 900;
    page(true);
    page(false); // the router off
    page(false);
    line.routerUptime = 0; // and on again, at the same speeds
    page(true);

    const QStringList expected { QStringLiteral("Line down"), QStringLiteral("Line up"),
        QStringLiteral("Router not answering"), QStringLiteral("Router answering"),
        QStringLiteral("Resync") };
    EXPECT_EQ(kinds(), expected);
    EXPECT_EQ(monitor->lineEvents().events().size(), 5u);
    const QByteArray metrics = MetricsText(monitor->webServer().figures().snapshot());
    for (const char *counter : { "{kind=\"line_down\"} 1\n", "{kind=\"line_up\"} 1\n",
             "{kind=\"resync\"} 1\n", "{kind=\"router_silent\"} 1\n", "{kind=\"router_back\"} 1\n" })
        EXPECT_TRUE(metrics.contains(QByteArray("linewarden_line_events_total") + counter)) << counter;

    // Started again: the old events are known, none is found again, and
    // the counters start afresh.
    monitor.reset();
    open();
    addStep();
    EXPECT_EQ(monitor->lineEvents().events().size(), 5u);
    line.speedDown = 6000;
    page(true);
    page(true);
    EXPECT_EQ(kinds(), expected);
    EXPECT_TRUE(MetricsText(monitor->webServer().figures().snapshot())
                    .contains("linewarden_line_events_total{kind=\"resync\"} 0\n"));
}

} // namespace
