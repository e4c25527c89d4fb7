#include "outputs/metrics_step.h"
#include "outputs/metrics_text.h"
#include "outputs/published_figures.h"

#include "support/qt_printers.h"

#include <QProcess>
#include <QStandardPaths>

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
    PublishedFiguresStore store;
    MetricsStep step { store };
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
                   "# HELP linewarden_last_load_statistics_page 1 when the last page load was read as the "
                   "router's statistics page, else 0.\n"
                   "# TYPE linewarden_last_load_statistics_page gauge\n"
                   "linewarden_last_load_statistics_page 0\n"
                   "# HELP linewarden_run_state The run state of sampling: 1 for the current state.\n"
                   "# TYPE linewarden_run_state gauge\n"
                   "linewarden_run_state{state=\"idle\"} 1\n"
                   "linewarden_run_state{state=\"running\"} 0\n"
                   "linewarden_run_state{state=\"paused\"} 0\n"
                   "linewarden_run_state{state=\"stopped\"} 0\n"));
}

TEST_F(MetricsTest, ASamplePublishesItsFiguresAndTheUserFiguresRead)
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

    // A load that was not the statistics page reads no user figure, and
    // brings no uptime: the last one goes.
    uptime.reset();
    load(false);
    EXPECT_FALSE(text().contains("crc_errors"));
    EXPECT_FALSE(text().contains("uptime"));
    EXPECT_TRUE(text().contains("linewarden_last_load_statistics_page 0\n"));
    EXPECT_TRUE(text().contains("linewarden_samples_total 4\n"));
}

TEST_F(MetricsTest, PromtoolAcceptsTheText)
{
    const QString promtool = QStandardPaths::findExecutable(QStringLiteral("promtool"));
    if (promtool.isEmpty())
        GTEST_SKIP()
            << "promtool is not installed (Debian package prometheus; scripts/bootstrap.sh installs it)";
    user1 = UserFigure::LineAttenuation;
    user2 = UserFigure::ErrorSeconds;
    sample.pageRead = true;
    sample.noiseMarginDown = 6.5;
    uptime = 600;
    load(true);
    step.runStateChanged(RunState::Running);

    QProcess check;
    check.start(promtool, { QStringLiteral("check"), QStringLiteral("metrics") });
    ASSERT_TRUE(check.waitForStarted());
    check.write(text());
    check.closeWriteChannel();
    ASSERT_TRUE(check.waitForFinished(30000));
    const QByteArray said = check.readAllStandardOutput() + check.readAllStandardError();
    EXPECT_EQ(check.exitCode(), 0) << said.constData();
    EXPECT_TRUE(said.trimmed().isEmpty()) << said.constData();
}

} // namespace
