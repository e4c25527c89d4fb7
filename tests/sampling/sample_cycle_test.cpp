#include "sampling/line_sample.h"
#include "sampling/sample_cycle.h"
#include "support/fake_browser_view.h"
#include "support/fake_clock.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

// What the cycle reports, counted.
struct Reports {
    explicit Reports(SampleCycle &cycle)
    {
        QObject::connect(&cycle, &SampleCycle::navigationHintHidden, [this] { ++hintsHidden; });
        QObject::connect(
            &cycle, &SampleCycle::startTimeChanged, [this](const QString &text) { startTime = text; });
        QObject::connect(&cycle, &SampleCycle::started, [this] { ++starts; });
        QObject::connect(&cycle, &SampleCycle::paused, [this] { ++pauses; });
        QObject::connect(&cycle, &SampleCycle::runStateChanged, [this] { ++stateChanges; });
    }

    int hintsHidden = 0;
    QString startTime;
    int starts = 0;
    int pauses = 0;
    int stateChanges = 0;
};

const QString StatsUrl = QStringLiteral("http://192.168.1.254/index.cgi?active_page=9118&");

class SampleCycleTest : public ::testing::Test {
protected:
    SampleCycleTest() : cycle(view, urls, sample, clock), reports(cycle)
    {
        cycle.setSampleSeconds(30);
        cycle.setPauseDelaySeconds(120);
    }

    // Checks the timers, flag and captions the state table gives a state.
    void expectStateRow(
        RunState state, bool timer1, bool timer5, bool hold, const char *runCaption, const char *stopCaption)
    {
        EXPECT_EQ(cycle.runState(), state);
        EXPECT_EQ(cycle.timer1().isActive(), timer1);
        EXPECT_EQ(cycle.timer5().isActive(), timer5);
        EXPECT_EQ(cycle.samplingHold(), hold);
        EXPECT_EQ(cycle.runCaption(), QString::fromLatin1(runCaption));
        EXPECT_EQ(cycle.stopCaption(), QString::fromLatin1(stopCaption));
    }

    // A press of btnStop: the mouse-down, then the click.
    void pressStop()
    {
        cycle.btnStopMouseDown();
        cycle.btnStopClick();
    }

    FakeBrowserView view;
    NavigationUrls urls;
    LineSample sample;
    FakeClock clock;
    SampleCycle cycle;
    Reports reports;
};

TEST_F(SampleCycleTest, StartsIdleWithThePlainTitle)
{
    expectStateRow(RunState::Idle, false, false, false, "Start", "Pause");
    EXPECT_EQ(cycle.title(), QStringLiteral("Linewarden"));
    EXPECT_EQ(cycle.stopGlyph(), QStringLiteral("pausebitmap"));
}

TEST_F(SampleCycleTest, StartFromIdleRunsAndSamplesAtOnce)
{
    urls.learnedUrl = StatsUrl;
    urls.navigationUrl = QStringLiteral("http://192.168.1.254/somewhere-else");
    sample.user1UpBase = 5;
    sample.speedUpText = QStringLiteral("448");

    cycle.btnRunClick();

    expectStateRow(RunState::Running, true, false, false, "Resume", "Pause");
    EXPECT_EQ(cycle.title(), QStringLiteral("Linewarden   [Running]"));
    EXPECT_EQ(cycle.timer1().interval(), 30000);
    EXPECT_TRUE(cycle.runPressed());
    EXPECT_FALSE(cycle.stopPressed());
    // The browser goes back to the statistics page at once, silently.
    EXPECT_EQ(urls.navigationUrl, StatsUrl);
    ASSERT_EQ(view.navigations.size(), 1);
    EXPECT_EQ(view.navigations.at(0).url, StatsUrl);
    EXPECT_EQ(view.navigations.at(0).flags, 0);
    EXPECT_TRUE(view.silent);
    EXPECT_TRUE(view.windowEnsured);
    // Baselines and speed texts start afresh; the router controls lock.
    EXPECT_EQ(sample.user1UpBase, 0);
    EXPECT_TRUE(sample.speedUpText.isEmpty());
    EXPECT_EQ(reports.startTime, QStringLiteral("Start: Wed 09 December 10:00:00"));
    EXPECT_EQ(reports.starts, 1);
    EXPECT_GE(reports.hintsHidden, 1);
    EXPECT_GE(reports.stateChanges, 1);
}

TEST_F(SampleCycleTest, StartWithoutAConfirmedPageReloadsWhateverIsShown)
{
    urls.navigationUrl = QStringLiteral("http://192.168.1.254/");
    cycle.btnRunClick();
    EXPECT_TRUE(urls.navigationUrl.isEmpty());
    EXPECT_TRUE(view.navigations.isEmpty());
    EXPECT_EQ(view.reloads, 1);
}

TEST_F(SampleCycleTest, StartWhileRunningSamplesAgainAndClearsBaselines)
{
    urls.learnedUrl = StatsUrl;
    cycle.btnRunClick();
    sample.user2DownBase = 7;
    // The countdown to the next tick is left alone: the timer is not
    // started anew.
    const int countdown = cycle.timer1().timerId();
    cycle.btnRunClick();
    EXPECT_EQ(cycle.timer1().timerId(), countdown);
    expectStateRow(RunState::Running, true, false, false, "Resume", "Pause");
    EXPECT_EQ(view.navigations.size(), 2);
    EXPECT_EQ(sample.user2DownBase, 0);
}

TEST_F(SampleCycleTest, PauseFromIdleOrRunningArmsTheAutomaticResume)
{
    pressStop();
    expectStateRow(RunState::Paused, false, true, true, "Resume", "Stop");
    EXPECT_EQ(cycle.title(), QStringLiteral("Linewarden   [Paused]"));
    EXPECT_EQ(cycle.stopGlyph(), QStringLiteral("stopbitmap"));
    EXPECT_EQ(cycle.timer5().interval(), 120000);
    EXPECT_EQ(reports.pauses, 1);
    EXPECT_EQ(reports.starts, 0);

    cycle.btnRunClick();
    pressStop();
    expectStateRow(RunState::Paused, false, true, true, "Resume", "Stop");
    EXPECT_TRUE(cycle.stopPressed());
    EXPECT_FALSE(cycle.runPressed());
}

TEST_F(SampleCycleTest, SecondPressOfPauseStopsWithoutResume)
{
    cycle.btnRunClick();
    pressStop();
    pressStop();
    expectStateRow(RunState::Stopped, false, false, true, "Start", "Stop");
    EXPECT_EQ(cycle.title(), QStringLiteral("Linewarden   [Stopped]"));

    // Further presses and paging back change nothing.
    pressStop();
    cycle.btnStopClick();
    expectStateRow(RunState::Stopped, false, false, true, "Start", "Stop");
}

TEST_F(SampleCycleTest, PagingBackWhilePausedCancelsTheResume)
{
    cycle.btnStopClick();
    cycle.btnStopClick(); // "<" calls Pause without a press on the button
    expectStateRow(RunState::Paused, false, false, true, "Resume", "Stop");
}

TEST_F(SampleCycleTest, AutomaticResumeAfterPauseDelayStartsSampling)
{
    urls.learnedUrl = StatsUrl;
    pressStop();
    ASSERT_TRUE(cycle.timer5().isActive());
    cycle.Timer5Timer();
    expectStateRow(RunState::Running, true, false, false, "Resume", "Pause");
    EXPECT_EQ(view.navigations.size(), 1);
}

TEST_F(SampleCycleTest, StartFromStoppedReturnsToTheStatisticsPage)
{
    urls.learnedUrl = StatsUrl;
    cycle.btnRunClick();
    pressStop();
    pressStop();
    urls.navigationUrl = QStringLiteral("http://192.168.1.254/other");
    cycle.btnRunClick();
    expectStateRow(RunState::Running, true, false, false, "Resume", "Pause");
    EXPECT_EQ(view.navigations.constLast().url, StatsUrl);
}

TEST_F(SampleCycleTest, TickDoesNothingWhileHeld)
{
    cycle.btnStopClick();
    cycle.Timer1Timer();
    EXPECT_TRUE(view.navigations.isEmpty());
    EXPECT_EQ(view.reloads, 0);
}

TEST_F(SampleCycleTest, IntervalChangeWhileRunningTakesEffectAtOnce)
{
    cycle.btnRunClick();
    cycle.setSampleSeconds(45);
    EXPECT_TRUE(cycle.timer1().isActive());
    EXPECT_EQ(cycle.timer1().interval(), 45000);
    // While paused the interval changes but the timer stays off.
    cycle.btnStopClick();
    cycle.setSampleSeconds(60);
    EXPECT_FALSE(cycle.timer1().isActive());
    EXPECT_EQ(cycle.timer1().interval(), 60000);
}

TEST_F(SampleCycleTest, HoldingAGraphSuspendsSamplingUntilRelease)
{
    cycle.btnRunClick();
    cycle.graphMouseDown();
    EXPECT_TRUE(cycle.samplingHold());
    EXPECT_FALSE(cycle.timer1().isActive());
    cycle.graphMouseUp();
    EXPECT_FALSE(cycle.samplingHold());
    EXPECT_TRUE(cycle.timer1().isActive());

    cycle.btnStopClick();
    cycle.graphMouseDown();
    cycle.graphMouseUp();
    EXPECT_FALSE(cycle.timer1().isActive());
}

TEST_F(SampleCycleTest, HintTimerHidesTheHintAndStops)
{
    cycle.setHintTimerActive(true);
    EXPECT_EQ(cycle.timer2().interval(), 10000);
    const int hidden = reports.hintsHidden;
    cycle.Timer2Timer();
    EXPECT_EQ(reports.hintsHidden, hidden + 1);
    EXPECT_FALSE(cycle.timer2().isActive());
}

} // namespace
