#include "outputs/metrics_step.h"
#include "outputs/metrics_text.h"
#include "outputs/published_figures.h"

#include "support/promtool.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

// The metrics step over the loads of a sample, and the text it leads to.
class MetricsTest : public ::testing::Test {
protected:
    QByteArray text() const { return MetricsText(store.snapshot()); }

    void load(bool statisticsPage, bool running = true)
    {
        PageLoad page { sample, QDateTime::fromSecsSinceEpoch(1700000000, Qt::UTC), statisticsPage, running };
        page.uptimeSeconds = uptime;
        page.user1 = user1;
        page.user2 = user2;
        step.pageLoaded(page);
        if (page.isSample())
            step.sampleTaken(page);
    }

    LineSample sample;
    std::optional<qint64> uptime;
    UserFigure user1 = UserFigure::None;
    UserFigure user2 = UserFigure::None;
    int intervalMs = 30000;
    PublishedFiguresStore store;
    MetricsStep step { store, [this] { return intervalMs; } };
};

TEST_F(MetricsTest, BeforeAnySampleOnlyTheCountsAndStates)
{
    EXPECT_EQ(text(),
        QByteArray("# HELP linewarden_samples_total Samples taken since the program started.\n"
                   "# TYPE linewarden_samples_total counter\n"
                   "linewarden_samples_total 0\n"
                   "# HELP linewarden_line_events_total Line events found since the program started.\n"
                   "# TYPE linewarden_line_events_total counter\n"
                   "linewarden_line_events_total{kind=\"line_down\"} 0\n"
                   "linewarden_line_events_total{kind=\"line_up\"} 0\n"
                   "linewarden_line_events_total{kind=\"resync\"} 0\n"
                   "linewarden_line_events_total{kind=\"router_silent\"} 0\n"
                   "linewarden_line_events_total{kind=\"router_back\"} 0\n"
                   "# HELP linewarden_router_answering 1 when the last page load was the router's "
                   "statistics page, else 0.\n"
                   "# TYPE linewarden_router_answering gauge\n"
                   "linewarden_router_answering 0\n"
                   "# HELP linewarden_last_load_statistics_page Deprecated, the same as "
                   "linewarden_router_answering; to be removed in the next release.\n"
                   "# TYPE linewarden_last_load_statistics_page gauge\n"
                   "linewarden_last_load_statistics_page 0\n"
                   "# HELP linewarden_run_state The run state of sampling: 1 for the current state.\n"
                   "# TYPE linewarden_run_state gauge\n"
                   "linewarden_run_state{state=\"idle\"} 1\n"
                   "linewarden_run_state{state=\"running\"} 0\n"
                   "linewarden_run_state{state=\"paused\"} 0\n"
                   "linewarden_run_state{state=\"stopped\"} 0\n"
                   "# HELP linewarden_build_info The program's version, in the label; always 1.\n"
                   "# TYPE linewarden_build_info gauge\n"
                   "linewarden_build_info{version=\"" LINEWARDEN_EXPECTED_VERSION "\"} 1\n"));
}

TEST_F(MetricsTest, TheLineFiguresComeOnlyFromTheLastStatisticsPage)
{
    user1 = UserFigure::OutputPower;
    user2 = UserFigure::CrcErrors;
    sample.pageRead = true;
    sample.noiseMarginDown = 6.5;
    sample.noiseMarginUp = 5.25;
    sample.speedDown = 7616;
    sample.speedUp = 1250;
    sample.user1Down = 17.5;
    sample.user1Up = 12.5;
    sample.user2Down = 1234;
    sample.user2Up = 56;
    uptime = 176523;
    load(true);
    step.runStateChanged(RunState::Paused);
    load(true);

    const QByteArray out = text();
    for (const char *line : {
             "linewarden_noise_margin_db{direction=\"downstream\"} 6.5\n",
             "linewarden_noise_margin_db{direction=\"upstream\"} 5.25\n",
             "linewarden_sync_speed_kbps{direction=\"downstream\"} 7616\n",
             "# TYPE linewarden_router_uptime_seconds gauge\nlinewarden_router_uptime_seconds 176523\n",
             "# TYPE linewarden_output_power_dbm gauge\n",
             "linewarden_output_power_dbm{direction=\"upstream\"} 12.5\n",
             "# TYPE linewarden_crc_errors_total counter\n",
             "linewarden_crc_errors_total{direction=\"downstream\"} 1234\n",
             "linewarden_samples_total 2\n",
             "linewarden_last_sample_timestamp_seconds 1700000000\n",
             "# TYPE linewarden_sample_interval_seconds gauge\nlinewarden_sample_interval_seconds 30\n",
             "linewarden_router_answering 1\n",
             "linewarden_last_load_statistics_page 1\n",
             "linewarden_run_state{state=\"paused\"} 1\n",
             "linewarden_run_state{state=\"idle\"} 0\n",
         })
        EXPECT_TRUE(out.contains(line)) << line << "\nin\n" << out.constData();

    // The same figure on both graphs is one metric; "[none]" is none.
    user1 = UserFigure::CrcErrors;
    user2 = UserFigure::None;
    load(true);
    EXPECT_EQ(text().count("# TYPE linewarden_crc_errors_total"), 1);
    EXPECT_FALSE(text().contains("output_power"));

    // The router stops answering: the page loaded is not the statistics
    // page. It is still a sample, but the line's figures are not published
    // at all, neither stale nor as zeros.
    load(false);
    EXPECT_EQ(text().count("linewarden_samples_total 4\n"), 1);
    for (const char *family : { "noise_margin", "sync_speed", "uptime", "crc_errors" })
        EXPECT_FALSE(text().contains(family)) << family;
    EXPECT_TRUE(text().contains("linewarden_router_answering 0\n"));
    EXPECT_TRUE(text().contains("linewarden_last_load_statistics_page 0\n"));

    // It answers again while sampling is paused: the figures come back from
    // that page, without a sample.
    sample.noiseMarginDown = 2.5;
    intervalMs = 1500;
    load(true, false);
    for (const char *line : { "linewarden_noise_margin_db{direction=\"downstream\"} 2.5\n",
             "linewarden_crc_errors_total{direction=\"upstream\"} 12.5\n", "linewarden_router_answering 1\n",
             "linewarden_samples_total 4\n", "linewarden_sample_interval_seconds 1.5\n" })
        EXPECT_TRUE(text().contains(line)) << line;
}

// promtool's linter accepts the text with the router answering (every
// family there) and not answering (the line's figures left out).
TEST_F(MetricsTest, PromtoolAcceptsTheTextWhetherTheRouterAnswersOrNot)
{
    const QString promtool = FindPromtool();
    if (promtool.isEmpty())
        GTEST_SKIP() << kNoPromtool;
    user1 = UserFigure::LineAttenuation;
    user2 = UserFigure::ErrorSeconds;
    sample.pageRead = true;
    sample.noiseMarginDown = 6.5;
    uptime = 600;
    step.runStateChanged(RunState::Running);
    for (const bool answering : { true, false }) {
        load(answering);
        ASSERT_EQ(text().contains("linewarden_noise_margin_db"), answering);
        const PromtoolRun check
            = RunPromtool(promtool, { QStringLiteral("check"), QStringLiteral("metrics") }, text());
        EXPECT_EQ(check.exitCode, 0) << check.output.constData();
        EXPECT_TRUE(check.output.trimmed().isEmpty()) << check.output.constData();
    }
}

} // namespace
