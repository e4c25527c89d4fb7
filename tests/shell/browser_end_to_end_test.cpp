// The main window with the real browser engine against the simulated router
// on 127.0.0.1: logging in, learning the statistics page, reading it, the
// navigation guard, and a router that misbehaves.
#include "demo/simulated_router.h"
#include "sampling/router_navigation.h"
#include "sampling/sample_cycle.h"
#include "sampling/url_rules.h"
#include "sampling/webengine_browser_view.h"
#include "shell/main_window.h"
#include "shell/main_window_settings.h"
#include "support/fake_clock.h"
#include "support/qt_printers.h"
#include "support/temp_data_dir.h"

#include <QLabel>
#include <QLayout>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// The engine's own tests allow 20 s for a page; so do we.
constexpr int PageTimeoutMs = 20000;

template<typename Predicate> bool WaitFor(Predicate predicate, int timeoutMs = PageTimeoutMs)
{
    return QTest::qWaitFor(predicate, timeoutMs);
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

    MainWindowSettings settingsFor(int type) const
    {
        MainWindowSettings settings;
        settings.type = type;
        settings.address = router->address();
        settings.password = QStringLiteral("admin");
        settings.login = true;
        return settings;
    }

    void openWindow(const MainWindowSettings &settings)
    {
        ASSERT_TRUE(SaveMainWindowSettings(iniPath(), data.path(), settings));
        MainWindowContext context;
        context.clock = &clock;
        context.dataFolder = data.path();
        context.settingsPath = iniPath();
        context.makeBrowser = [this](QWidget *host) {
            auto view = std::make_unique<WebEngineBrowserView>(host);
            host->layout()->addWidget(view->widget());
            engine = view.get();
            return view;
        };
        window = std::make_unique<TForm1>(context);
        connect();
        window->show();
    }

    void connect()
    {
        QObject::connect(&window->navigation(), &RouterNavigation::pageHandled, window.get(), [this] {
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
        return WaitFor([this] { return window->cycle().runState() == RunState::Running; });
    }

    bool waitForSamples(int count)
    {
        return WaitFor([this, count] { return window->samplesTaken() >= count; });
    }

    TempDataDir data;
    FakeClock clock;
    std::unique_ptr<SimulatedRouter> router;
    std::unique_ptr<TForm1> window;
    WebEngineBrowserView *engine = nullptr;
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
    EXPECT_EQ(window->cycle().runState(), RunState::Idle);

    // The user follows the trail to the statistics page; the router asks for
    // the password first, which the program gives by itself.
    engine->navigate(statisticsUrl(), 0);
    ASSERT_TRUE(waitForRunning());
    ASSERT_TRUE(waitForSamples(1));
    EXPECT_EQ(window->urls().learnedUrl, learnedStatisticsUrl());
    EXPECT_EQ(window->settings().hhaUrl, QStringLiteral("/index.cgi?active_page=9118&"));
    EXPECT_EQ(window->Label2->text(), u'!' + window->urls().navigationUrl);
    EXPECT_TRUE(window->Panel10->isHidden());
    EXPECT_TRUE(window->btnRun->isEnabled());
    EXPECT_TRUE(window->Label15->text().endsWith(u" Kbps"));
    EXPECT_TRUE(window->Label20->text().endsWith(u" dB"));
    EXPECT_FALSE(window->Label25->text().isEmpty());
}

TEST_F(BrowserEndToEndTest, LaterTypeARunLogsInAutomaticallyAndSamples)
{
    startRouter(SimulatedRouter::Model::TypeA);
    MainWindowSettings settings = settingsFor(0);
    settings.hhaUrl = QStringLiteral("/index.cgi?active_page=9118&");
    openWindow(settings);
    ASSERT_TRUE(waitForRunning());
    ASSERT_TRUE(waitForSamples(1));
    // Every tick loads the page again.
    window->cycle().overrideIntervalMs(3000);
    ASSERT_TRUE(waitForSamples(3));
    EXPECT_GE(router->statisticsRequests(), 3);

    // The router forgets the session mid-run: the program logs in again.
    router->logOutAll();
    ASSERT_TRUE(waitForSamples(window->samplesTaken() + 2));
    EXPECT_TRUE(SameUrl(shownUrl(), window->urls().navigationUrl));
    EXPECT_FALSE(window->Label22->text().isEmpty());
}

TEST_F(BrowserEndToEndTest, WrongPasswordBringsTheHomeHubTabForwardAndTakesNoSample)
{
    startRouter(SimulatedRouter::Model::TypeA);
    MainWindowSettings settings = settingsFor(0);
    settings.hhaUrl = QStringLiteral("/index.cgi?active_page=9118&");
    settings.password = QStringLiteral("not-the-password");
    settings.page = 5;
    openWindow(settings);
    EXPECT_EQ(window->PageControl1->currentIndex(), 5);
    // The login page, then the router's answer to the wrong password.
    ASSERT_TRUE(WaitFor([this] { return pagesHandled >= 2; }));
    EXPECT_EQ(window->PageControl1->currentIndex(), 0);
    EXPECT_EQ(window->cycle().runState(), RunState::Idle);
    EXPECT_EQ(window->samplesTaken(), 0);
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
    EXPECT_FALSE(SameUrl(shownUrl(), window->urls().navigationUrl));
    EXPECT_TRUE(window->Label15->text().isEmpty());

    // Start goes back to the statistics page and reads it again.
    const int samples = window->samplesTaken();
    window->btnRun->click();
    ASSERT_TRUE(waitForSamples(samples + 1));
    EXPECT_FALSE(window->Label15->text().isEmpty());
}

TEST_F(BrowserEndToEndTest, GuardKeepsTheStatisticsPageWhileRunningOnly)
{
    startRouter(SimulatedRouter::Model::TypeA);
    MainWindowSettings settings = settingsFor(0);
    settings.hhaUrl = QStringLiteral("/index.cgi?active_page=9118&");
    openWindow(settings);
    ASSERT_TRUE(waitForRunning());
    ASSERT_TRUE(waitForSamples(1));

    // The first link of the page leads to the router's home page.
    engine->clickLink(0);
    ASSERT_TRUE(WaitFor([this] { return window->Panel9->isVisible(); }));
    EXPECT_TRUE(window->cycle().timer2().isActive());
    EXPECT_TRUE(SameUrl(shownUrl(), window->urls().navigationUrl));

    window->btnStop->click();
    const int handled = pagesHandled;
    engine->clickLink(0);
    ASSERT_TRUE(WaitFor([this, handled] {
        return pagesHandled > handled && !SameUrl(shownUrl(), window->urls().navigationUrl);
    }));
    EXPECT_TRUE(window->Panel9->isHidden());
}

TEST_F(BrowserEndToEndTest, MisbehavingRouterInventsNoSampleAndSamplingRecovers)
{
    startRouter(SimulatedRouter::Model::TypeA);
    MainWindowSettings settings = settingsFor(0);
    settings.hhaUrl = QStringLiteral("/index.cgi?active_page=9118&");
    openWindow(settings);
    ASSERT_TRUE(waitForRunning());
    // A tick every 2.5 s. (Much faster ticks against a router that never
    // finishes would use up the engine's six connections to one host.)
    window->cycle().overrideIntervalMs(2500);
    ASSERT_TRUE(waitForSamples(1));

    const SimulatedRouter::Fault faults[] = { SimulatedRouter::Fault::NeverFinish,
        SimulatedRouter::Fault::HugePage, SimulatedRouter::Fault::NoBody, SimulatedRouter::Fault::JunkBytes,
        SimulatedRouter::Fault::CloseConnection };
    for (const SimulatedRouter::Fault fault : faults) {
        router->setFault(fault);
        // Let a page load started before the switch finish first.
        QTest::qWait(3000);
        const int samples = window->samplesTaken();
        // Ticks go by against the faulty router.
        QTest::qWait(5000);
        EXPECT_EQ(window->samplesTaken(), samples) << "fault " << int(fault);
        EXPECT_EQ(window->cycle().runState(), RunState::Running);

        router->setFault(SimulatedRouter::Fault::None);
        EXPECT_TRUE(waitForSamples(samples + 1)) << "after fault " << int(fault);
    }
}

} // namespace
