// The program without windows over the fake browser view: it logs a Type A
// router in whatever the login option says, prints each sample, and closes
// as the window does, telling a failed save by its exit status.
#include "base/settings.h"
#include "demo/hub_a_pages.h"
#include "graphs/chart.h"
#include "graphs/graph_model.h"
#include "shell/program/headless_monitor.h"
#include "shell/program/line_monitor.h"
#include "support/fake_browser_view.h"
#include "support/fake_clock.h"
#include "support/fixture_pages.h"
#include "support/temp_data_dir.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

MonitorContext ContextIn(const TempDataDir &data, const FakeClock &clock)
{
    return { &clock, data.path(), data.filePath(QStringLiteral("linewarden.ini")), QRect() };
}

// The settings of a Type A router whose statistics page is already known.
Settings TypeARouterSettings(const MonitorContext &context)
{
    Settings stored(SettingsContextOf(context));
    stored.setInteger(SettingKey::Type, 0);
    stored.setText(SettingKey::HHAUrl, QStringLiteral("/index.cgi?active_page=9118&"));
    return stored;
}

template<typename Widget> int LiveWidgets()
{
    const QWidgetList widgets = QApplication::allWidgets();
    return int(std::count_if(
        widgets.begin(), widgets.end(), [](QWidget *widget) { return qobject_cast<Widget *>(widget); }));
}

TEST(HeadlessMonitor, LogsInSamplesAndClosesKeepingTheStoredLoginOption)
{
    const struct {
        bool loginStored;
        bool saveFails;
        int exitStatus;
    } cases[] = { { false, false, 0 }, { true, false, 0 }, { true, true, 1 } };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "login " << c.loginStored << " save fails " << c.saveFails);
        TempDataDir data;
        FakeClock clock;
        FakeBrowserView view;
        const MonitorContext context = ContextIn(data, clock);
        Settings stored = TypeARouterSettings(context);
        stored.setText(SettingKey::Password, QStringLiteral("secret"));
        stored.setFlag(SettingKey::Login, c.loginStored);
        ASSERT_TRUE(stored.SaveIni(context.settingsPath));

        QString outText;
        QString errText;
        QTextStream out(&outText);
        QTextStream err(&errText);
        LineMonitor monitor(context, view);
        HeadlessMonitor headless(monitor, nullptr, out, err);
        headless.start(0);
        ASSERT_EQ(view.navigations.size(), 1);
        view.complete(FakeLoginPage(view.navigations.constFirst().url, QStringLiteral("12")));
        ASSERT_EQ(view.fieldValues.size(), 1);
        EXPECT_EQ(view.fieldValues.constFirst().value, QStringLiteral("secret"));
        EXPECT_EQ(view.clickedLinks, QList<int> { 8 });

        view.complete(FakeDocument(QStringLiteral("http://192.168.1.254/index.cgi?active%5fpage=9118"),
            FixturePage(QStringLiteral("hub-a-statistics.html"))));
        EXPECT_TRUE(outText.startsWith(u"2026-12-09 10:00:00 noise margin down ")) << outText.toStdString();
        EXPECT_EQ(outText.count(u'\n'), 1);
        // The sample reached the graphs, and only what draws their pictures
        // was made of them: a chart for each of the five graphs, no lists,
        // menus or buttons.
        EXPECT_EQ(monitor.graphs().PlotCount(), 1);
        EXPECT_EQ(LiveWidgets<Chart>(), 5);
        EXPECT_EQ(LiveWidgets<QComboBox>() + LiveWidgets<QMenu>() + LiveWidgets<QPushButton>(), 0);

        if (c.saveFails) {
            QFile::remove(context.settingsPath);
            QDir().mkdir(context.settingsPath);
        }
        EXPECT_EQ(headless.close(), c.exitStatus);
        EXPECT_EQ(headless.close(), c.exitStatus);
        EXPECT_EQ(errText.contains(u"Unable to write"), c.saveFails) << errText.toStdString();
        if (c.saveFails)
            continue;
        Settings saved(SettingsContextOf(context));
        ASSERT_TRUE(saved.Load(context.settingsPath));
        EXPECT_EQ(saved.flag(SettingKey::Login), c.loginStored);
        EXPECT_EQ(saved.text(SettingKey::ActualUrl),
            QStringLiteral("http://192.168.1.254/index.cgi?active_page=9118"));
    }
}

// With line event notifications on, each event is one line on standard
// error; with them off, none.
TEST(HeadlessMonitor, TellsLineEventsOnStandardErrorWhenChosen)
{
    for (const bool notify : { true, false }) {
        SCOPED_TRACE(notify ? "on" : "off");
        TempDataDir data;
        FakeClock clock;
        FakeBrowserView view;
        const MonitorContext context = ContextIn(data, clock);
        Settings stored = TypeARouterSettings(context);
        stored.setFlag(SettingKey::NotifyEvents, notify);
        ASSERT_TRUE(stored.SaveIni(context.settingsPath));

        QString outText;
        QString errText;
        QTextStream out(&outText);
        QTextStream err(&errText);
        LineMonitor monitor(context, view);
        HeadlessMonitor headless(monitor, nullptr, out, err);
        headless.start(0);
        LineFigures line;
        line.marginUp = 5.9;
        line.marginDown = 6.1;
        line.speedUp = 1000;
        line.speedDown = 8000;
        view.complete(FakeDocument(
            StatsDocumentUrl, HubAStatisticsPage(line, QStringLiteral("/index.cgi?active%5fpage=9118"))));
        clock.advanceSeconds(30);
        view.complete(FakeDocument(StatsDocumentUrl, QStringLiteral("<h1>This site can't be reached</h1>")));

        const QString told = QStringLiteral("linewarden: Router not answering. Noise margin (up / down): 5.9 "
                                            "/ 6.1 dB before, 0 / 0 dB after. "
                                            "Sync (up / down): 1000 / 8000 Kbps before, 0 / 0 Kbps after\n");
        EXPECT_EQ(errText.count(told), notify ? 1 : 0) << errText.toStdString();
        EXPECT_EQ(errText.count(u"Router not answering"), notify ? 1 : 0);
        EXPECT_EQ(outText.count(u'\n'), 2); // both loads were samples
        headless.close();
    }
}

} // namespace

namespace {

// One run of the mode without windows on a folder: logs in, takes the
// statistics page as one sample, and closes. What the graphs held when the
// run began is handed back.
struct RunOnFolder {
    int plotsAtStart = 0;
    std::vector<double> noiseUpAtStart;
    int marksAtStart = 0;
};

RunOnFolder RunOnce(const MonitorContext &context)
{
    FakeBrowserView view;
    QString ignored;
    QTextStream out(&ignored);
    QTextStream err(&ignored);
    LineMonitor monitor(context, view);
    HeadlessMonitor headless(monitor, nullptr, out, err);
    headless.start(0);
    RunOnFolder run;
    const TimeGraph &noise = monitor.graphs().graph(1);
    run.plotsAtStart = monitor.graphs().PlotCount();
    for (int x = 0; x < noise.series(ChartSide::Left).count(); ++x)
        run.noiseUpAtStart.push_back(noise.series(ChartSide::Left).value(x));
    run.marksAtStart = int(noise.marks().size());
    view.complete(FakeLoginPage(view.navigations.constFirst().url, QStringLiteral("12")));
    view.complete(FakeDocument(QStringLiteral("http://192.168.1.254/index.cgi?active%5fpage=9118"),
        FixturePage(QStringLiteral("hub-a-statistics.html"))));
    EXPECT_EQ(headless.close(), 0);
    return run;
}

} // namespace

// The samples of earlier runs come back on the graphs at start when the
// option is on (5.8 dB up on the statistics page), after the restart of a
// program that stored them, whether logging was on or not.
TEST(HeadlessMonitor, ARestartShowsTheLastDayOfHistoryOnlyWhenChosen)
{
    for (const bool chosen : { false, true }) {
        SCOPED_TRACE(chosen ? "on" : "off");
        TempDataDir data;
        FakeClock clock;
        const MonitorContext context = ContextIn(data, clock);
        Settings stored = TypeARouterSettings(context);
        stored.setText(SettingKey::Password, QStringLiteral("secret"));
        stored.setFlag(SettingKey::HistoryAtStart, chosen);
        ASSERT_TRUE(stored.SaveIni(context.settingsPath));

        EXPECT_EQ(RunOnce(context).plotsAtStart, 0);
        clock.advanceSeconds(600);
        RunOnce(context);
        clock.advanceSeconds(600);
        const RunOnFolder third = RunOnce(context);
        EXPECT_EQ(third.plotsAtStart, chosen ? 2 : 0);
        const std::vector<double> earlier
            = chosen ? std::vector<double> { 5.8, 5.8 } : std::vector<double> {};
        EXPECT_EQ(third.noiseUpAtStart, earlier);
        EXPECT_EQ(third.marksAtStart, chosen ? 1 : 0); // where this run begins
    }
}
