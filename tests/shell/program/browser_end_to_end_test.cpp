// The main window with the real browser engine against the simulated router
// on 127.0.0.1: logging in, learning the statistics page, reading it, the
// navigation guard, and a router that misbehaves.
#include "demo/simulated_router.h"
#include "graphs/graph_model.h"
#include "sampling/router_navigation.h"
#include "sampling/sample_cycle.h"
#include "sampling/url_rules.h"
#include "sampling/webengine_browser_view.h"
#include "shell/program/desktop_pipeline.h"
#include "shell/program/desktop_wiring.h"
#include "shell/program/line_monitor.h"
#include "shell/windows/main_window.h"
#include "support/fake_clock.h"
#include "support/qt_printers.h"
#include "support/temp_data_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <iostream>

namespace {

// The engine's own tests allow 20 s for a page; so do we.
constexpr int PageTimeoutMs = 20000;

// A page renderer held by a hostile page is ended and replaced; that takes a
// few ticks, and longer on a loaded machine.
constexpr int RecoveryTimeoutMs = 60000;

template<typename Predicate> bool WaitFor(Predicate predicate, int timeoutMs = PageTimeoutMs)
{
    return QTest::qWaitFor(predicate, timeoutMs);
}

// The proportional memory of this process and every process under it (the
// browser engine's), in MiB.
double ProcessTreePssMiB()
{
    QList<qint64> queue { QCoreApplication::applicationPid() };
    qint64 kilobytes = 0;
    while (!queue.isEmpty()) {
        const QString proc = QStringLiteral("/proc/%1/").arg(queue.takeFirst());
        QFile rollup(proc + QStringLiteral("smaps_rollup"));
        if (rollup.open(QIODevice::ReadOnly)) {
            for (const QByteArray &line : rollup.readAll().split('\n')) {
                if (line.startsWith("Pss:"))
                    kilobytes += line.mid(4).trimmed().split(' ').value(0).toLongLong();
            }
        }
        const QStringList tasks
            = QDir(proc + QStringLiteral("task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString &task : tasks) {
            QFile children(proc + QStringLiteral("task/") + task + QStringLiteral("/children"));
            if (children.open(QIODevice::ReadOnly)) {
                for (const QByteArray &child : children.readAll().split(' '))
                    if (!child.trimmed().isEmpty())
                        queue << child.trimmed().toLongLong();
            }
        }
    }
    return kilobytes / 1024.0;
}

class BrowserEndToEndTest : public ::testing::Test {
protected:
    void startRouter(SimulatedRouter::Model model, quint32 seed = 7)
    {
        SimulatedRouter::Options options;
        options.model = model;
        options.seed = seed;
        router = std::make_unique<SimulatedRouter>(options);
        QString error;
        ASSERT_TRUE(router->start(&error)) << error.toStdString();
    }

    MonitorContext context() const
    {
        MonitorContext context;
        context.clock = &clock;
        context.dataFolder = data.path();
        context.settingsPath = iniPath();
        return context;
    }

    Settings settingsFor(int type, const QString &hhaUrl = QString()) const
    {
        Settings settings(SettingsContextOf(context()));
        settings.setInteger(SettingKey::Type, type);
        settings.setText(SettingKey::Address, router->address());
        settings.setText(SettingKey::Password, QStringLiteral("admin"));
        settings.setFlag(SettingKey::Login, true);
        settings.setText(SettingKey::HHAUrl, hhaUrl);
        return settings;
    }

    void openWindow(const Settings &settings)
    {
        ASSERT_TRUE(settings.SaveIni(iniPath()));
        engine = std::make_unique<WebEngineBrowserView>(nullptr);
        monitor = std::make_unique<LineMonitor>(context(), *engine);
        window = std::make_unique<TForm1>(*monitor, engine->widget());
        WireDesktopParts(*window);
        AddDesktopSteps(*monitor, *window);
        connect();
        window->show();
    }

    int samplesTaken() const { return monitor->graphs().PlotCount(); }

    void expectFiguresBackAfter(SimulatedRouter::Fault fault);
    void expectTicksThroughFaults(
        const QList<SimulatedRouter::Fault> &faults, double *settledMiB, double *afterMiB);

    void connect()
    {
        QObject::connect(&monitor->navigation(), &RouterNavigation::pageHandled, window.get(), [this] {
            ++pagesHandled;
            if (const auto document = engine->document())
                handledUrls << document->url;
        });
    }

    QString iniPath() const { return data.filePath(QStringLiteral("linewarden.ini")); }
    QString statisticsUrl() const
    {
        return QStringLiteral("http://") + router->address() + router->statisticsPath();
    }
    QString learnedStatisticsUrl() const { return LearnTypeAUrl(statisticsUrl()); }
    QString shownUrl() const
    {
        const auto document = engine->document();
        return document ? document->url : QString();
    }

    bool waitForRunning()
    {
        return WaitFor([this] { return monitor->cycle().runState() == RunState::Running; });
    }

    bool waitForSamples(int count)
    {
        return WaitFor([this, count] { return samplesTaken() >= count; });
    }

    TempDataDir data;
    FakeClock clock;
    std::unique_ptr<SimulatedRouter> router;
    std::unique_ptr<WebEngineBrowserView> engine;
    std::unique_ptr<LineMonitor> monitor;
    std::unique_ptr<TForm1> window;
    int pagesHandled = 0;
    QStringList handledUrls;
};

TEST_F(BrowserEndToEndTest, FirstTypeARunLearnsTheStatisticsPageAndStartsByItself)
{
    startRouter(SimulatedRouter::Model::TypeA);
    openWindow(settingsFor(0));
    ASSERT_TRUE(WaitFor([this] { return pagesHandled >= 1; }));
    EXPECT_TRUE(window->Panel4->isHidden());
    EXPECT_FALSE(window->Panel10->isHidden());
    EXPECT_EQ(monitor->cycle().runState(), RunState::Idle);

    // The user follows the trail to the statistics page; the router asks for
    // the password first, which the program gives by itself.
    engine->navigate(statisticsUrl(), 0);
    ASSERT_TRUE(waitForRunning());
    ASSERT_TRUE(waitForSamples(1));
    EXPECT_EQ(monitor->urls().learnedUrl, learnedStatisticsUrl());
    EXPECT_EQ(monitor->settings().text(SettingKey::HHAUrl), QStringLiteral("/index.cgi?active_page=9118&"));
    EXPECT_EQ(window->Label2->text(), u'!' + monitor->urls().navigationUrl);
    EXPECT_TRUE(window->Panel10->isHidden());
    EXPECT_TRUE(window->btnRun->isEnabled());
    EXPECT_TRUE(window->Label15->text().endsWith(u" Kbps"));
    EXPECT_TRUE(window->Label20->text().endsWith(u" dB"));
    EXPECT_FALSE(window->Label25->text().isEmpty());
}

TEST_F(BrowserEndToEndTest, LaterTypeARunLogsInAutomaticallyAndSamples)
{
    startRouter(SimulatedRouter::Model::TypeA);
    openWindow(settingsFor(0, QStringLiteral("/index.cgi?active_page=9118&")));
    ASSERT_TRUE(waitForRunning());
    ASSERT_TRUE(waitForSamples(1));
    // Every tick loads the page again.
    monitor->cycle().overrideIntervalMs(3000);
    ASSERT_TRUE(waitForSamples(3));
    EXPECT_GE(router->statisticsRequests(), 3);

    // The router forgets the session mid-run: the program logs in again and
    // reads the statistics page once more.
    router->logOutAll();
    const int before = samplesTaken();
    ASSERT_TRUE(WaitFor([this, before] {
        return samplesTaken() >= before + 2 && !window->Label22->text().isEmpty()
            && SameUrl(shownUrl(), monitor->urls().navigationUrl);
    }));
}

TEST_F(BrowserEndToEndTest, WrongPasswordBringsTheHomeHubTabForwardAndTakesNoSample)
{
    startRouter(SimulatedRouter::Model::TypeA);
    Settings settings = settingsFor(0, QStringLiteral("/index.cgi?active_page=9118&"));
    settings.setText(SettingKey::Password, QStringLiteral("not-the-password"));
    settings.setInteger(SettingKey::Page, 5);
    openWindow(settings);
    EXPECT_EQ(window->PageControl1->currentIndex(), 5);
    // The login page, then the router's answer to the wrong password.
    ASSERT_TRUE(WaitFor([this] { return pagesHandled >= 2; }));
    EXPECT_EQ(window->PageControl1->currentIndex(), 0);
    EXPECT_EQ(monitor->cycle().runState(), RunState::Idle);
    EXPECT_EQ(samplesTaken(), 0);
    EXPECT_EQ(router->statisticsRequests(), 0);
}

TEST_F(BrowserEndToEndTest, TypeBReadsOnlyAtTheStatisticsPage)
{
    startRouter(SimulatedRouter::Model::TypeB);
    openWindow(settingsFor(1));
    ASSERT_TRUE(waitForRunning());
    ASSERT_TRUE(waitForSamples(1));
    EXPECT_TRUE(window->Label15->text().endsWith(u" Kbps"));

    // Paused, the user may go elsewhere: that page is not read.
    window->btnStop->click();
    const int handled = pagesHandled;
    engine->navigate(QStringLiteral("http://") + router->address() + QStringLiteral("/"), 0);
    ASSERT_TRUE(WaitFor([this, handled] { return pagesHandled > handled; }));
    EXPECT_FALSE(SameUrl(shownUrl(), monitor->urls().navigationUrl));
    EXPECT_TRUE(window->Label15->text().isEmpty());

    // Start goes back to the statistics page and reads it again.
    const int samples = samplesTaken();
    window->btnRun->click();
    ASSERT_TRUE(waitForSamples(samples + 1));
    EXPECT_FALSE(window->Label15->text().isEmpty());
}

TEST_F(BrowserEndToEndTest, GuardKeepsTheStatisticsPageWhileRunningOnly)
{
    startRouter(SimulatedRouter::Model::TypeA);
    openWindow(settingsFor(0, QStringLiteral("/index.cgi?active_page=9118&")));
    ASSERT_TRUE(waitForRunning());
    ASSERT_TRUE(waitForSamples(1));

    // The first link of the page leads to the router's home page.
    engine->clickLink(0);
    ASSERT_TRUE(WaitFor([this] { return window->Panel9->isVisible(); }));
    EXPECT_TRUE(monitor->cycle().timer2().isActive());
    EXPECT_TRUE(SameUrl(shownUrl(), monitor->urls().navigationUrl));

    window->btnStop->click();
    const int handled = pagesHandled;
    engine->clickLink(0);
    ASSERT_TRUE(WaitFor([this, handled] {
        return pagesHandled > handled && !SameUrl(shownUrl(), monitor->urls().navigationUrl);
    }));
    EXPECT_TRUE(window->Panel9->isHidden());
}

// The router behaves again after the fault: the real figures come back
// within the recovery time, which is printed.
void BrowserEndToEndTest::expectFiguresBackAfter(SimulatedRouter::Fault fault)
{
    router->setFault(SimulatedRouter::Fault::None);
    const int before = samplesTaken();
    QElapsedTimer recovery;
    recovery.start();
    EXPECT_TRUE(
        WaitFor([this, before] { return samplesTaken() > before && monitor->sample().noiseMarginDown != 0; },
            RecoveryTimeoutMs))
        << "after fault " << int(fault);
    std::cout << "fault " << int(fault) << ": figures back after " << recovery.elapsed() << " ms"
              << std::endl;
}

// A load that never completes adds nothing; a page that comes but is no
// statistics page counts as a drop to zero; sampling goes on throughout and
// reads the real figures again once the router behaves.
TEST_F(BrowserEndToEndTest, MisbehavingRouterShowsAsZeroAndSamplingRecovers)
{
    startRouter(SimulatedRouter::Model::TypeA);
    openWindow(settingsFor(0, QStringLiteral("/index.cgi?active_page=9118&")));
    ASSERT_TRUE(waitForRunning());
    // A tick every 2.5 s. (Much faster ticks against a router that never
    // finishes would use up the engine's six connections to one host.)
    monitor->cycle().overrideIntervalMs(2500);
    ASSERT_TRUE(waitForSamples(1));

    using Fault = SimulatedRouter::Fault;
    for (const Fault fault :
        { Fault::NeverFinish, Fault::HugePage, Fault::NoBody, Fault::JunkBytes, Fault::CloseConnection }) {
        router->setFault(fault);
        // Let a page load started before the switch finish first.
        QTest::qWait(3000);
        const int samples = samplesTaken();
        // Ticks go by against the faulty router.
        QTest::qWait(5000);
        if (fault == Fault::NeverFinish) {
            EXPECT_EQ(samplesTaken(), samples);
        }
        if (fault == Fault::NoBody || fault == Fault::JunkBytes || fault == Fault::CloseConnection) {
            EXPECT_GT(samplesTaken(), samples) << "fault " << int(fault);
        }
        if (samplesTaken() > samples) {
            EXPECT_EQ(monitor->sample().noiseMarginDown, 0) << "fault " << int(fault);
            EXPECT_EQ(monitor->sample().speedDown, 0) << "fault " << int(fault);
        }
        EXPECT_EQ(monitor->cycle().runState(), RunState::Running);

        expectFiguresBackAfter(fault);
    }
}

// The sample tick keeps its time while the router serves the fault's page,
// nothing is read from it, and the real figures come back once the router
// behaves.
void BrowserEndToEndTest::expectTicksThroughFaults(
    const QList<SimulatedRouter::Fault> &faults, double *settledMiB, double *afterMiB)
{
    startRouter(SimulatedRouter::Model::TypeA);
    openWindow(settingsFor(0, QStringLiteral("/index.cgi?active_page=9118&")));
    ASSERT_TRUE(waitForRunning());
    constexpr int kTickMs = 2500;
    monitor->cycle().overrideIntervalMs(kTickMs);
    ASSERT_TRUE(waitForSamples(2));
    QTest::qWait(2 * kTickMs);
    *settledMiB = ProcessTreePssMiB();

    QElapsedTimer clock;
    clock.start();
    QList<qint64> ticks;
    QObject::connect(&monitor->cycle(), &SampleCycle::sampleRequested, window.get(),
        [&ticks, &clock] { ticks << clock.elapsed(); });

    for (const SimulatedRouter::Fault fault : faults) {
        router->setFault(fault);
        QTest::qWait(kTickMs + 500);
        const int samples = samplesTaken();
        const qsizetype firstTick = ticks.size();
        QTest::qWait(3 * kTickMs);
        EXPECT_GE(ticks.size() - firstTick, 2) << "fault " << int(fault);
        for (qsizetype i = firstTick + 1; i < ticks.size(); ++i)
            EXPECT_LE(ticks[i] - ticks[i - 1], kTickMs + 1000) << "fault " << int(fault);
        if (samplesTaken() > samples) {
            EXPECT_EQ(monitor->sample().noiseMarginDown, 0) << "fault " << int(fault);
            EXPECT_EQ(monitor->sample().speedDown, 0) << "fault " << int(fault);
        }
        expectFiguresBackAfter(fault);
    }
    // The engine gives memory back when it gets round to it: wait up to
    // the recovery time for the tree to come back near where it was.
    QElapsedTimer settling;
    settling.start();
    do {
        QTest::qWait(kTickMs);
        *afterMiB = ProcessTreePssMiB();
    } while (*afterMiB >= *settledMiB + 100 && settling.elapsed() < RecoveryTimeoutMs);
}

// A script that never returns, dialogs without end, a 50 MiB page: the tick
// keeps its time, nothing is read, sampling recovers (a hung page renderer,
// or one left holding a page that never finished, is ended and replaced),
// and the memory comes back down.
TEST_F(BrowserEndToEndTest, HostilePagesKeepTheTickOnTimeAndReadNothing)
{
    using Fault = SimulatedRouter::Fault;
    double settledMiB = 0;
    double afterMiB = 0;
    expectTicksThroughFaults({ Fault::ScriptLoop, Fault::Dialogs, Fault::HugePage }, &settledMiB, &afterMiB);
    std::cout << "process tree PSS: " << settledMiB << " MiB before the hostile pages, " << afterMiB
              << " MiB after" << std::endl;
    EXPECT_LT(afterMiB, settledMiB + 100);
}

// A page of 100 000 links or markup nested 100 000 deep keeps its renderer
// busy laying it out long after the load: the tick keeps its time, nothing
// is read, the busy renderer is ended and sampling recovers.
TEST_F(BrowserEndToEndTest, LinkFloodAndDeepNestingLetSamplingRecover)
{
    using Fault = SimulatedRouter::Fault;
    double settledMiB = 0;
    double afterMiB = 0;
    expectTicksThroughFaults({ Fault::ManyLinks, Fault::DeepNesting }, &settledMiB, &afterMiB);
    std::cout << "process tree PSS: " << settledMiB << " MiB before, " << afterMiB << " MiB after"
              << std::endl;
    EXPECT_LT(afterMiB, settledMiB + 100);
}

} // namespace
