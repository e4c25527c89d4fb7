#include "demo/hub_a_pages.h"
#include "graphs/chart.h"
#include "graphs/graph_model.h"
#include "graphs/graph_panels.h"
#include "sampling/router_navigation.h"
#include "sampling/sample_cycle.h"
#include "shell/controls/capture_controls.h"
#include "shell/controls/log_controls.h"
#include "shell/controls/router_access_controls.h"
#include "shell/controls/status_bar.h"
#include "shell/controls/tray_controller.h"
#include "shell/program/data_folder.h"
#include "shell/program/desktop_program.h"
#include "shell/program/help_file.h"
#include "shell/windows/main_window.h"
#include "shell/windows/maintenance_window.h"
#include "support/fake_browser_view.h"
#include "support/fake_clock.h"
#include "support/fixture_pages.h"
#include "support/main_window_fixture.h"
#include "support/qt_printers.h"
#include "support/temp_data_dir.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QSystemTrayIcon>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString Router = QStringLiteral("192.168.1.254");
const QString StatsUrl = QStringLiteral("http://192.168.1.254/index.cgi?active_page=9118&");
const QString TypeBUrl = QStringLiteral("http://192.168.1.254/html/settings/a_adsl.html");

// The main window on a Type A or Type B router at the usual address.
class MainWindowTest : public MainWindowFixture {
protected:
    Settings typeA(const QString &hhaUrl = QString(), bool login = true) const
    {
        Settings settings = defaults();
        settings.setInteger(SettingKey::Type, 0);
        settings.setText(SettingKey::Address, Router);
        settings.setText(SettingKey::Password, QStringLiteral("secret"));
        settings.setFlag(SettingKey::Login, login);
        settings.setText(SettingKey::HHAUrl, hhaUrl);
        return settings;
    }

    void openTypeA(const QString &hhaUrl = QString(), bool login = true) { open(typeA(hhaUrl, login)); }

    void openTypeB()
    {
        Settings settings = defaults();
        settings.setInteger(SettingKey::Type, 1);
        settings.setText(SettingKey::Address, Router);
        open(settings);
    }

    int samplesTaken() const { return monitor->graphs().PlotCount(); }
};

TEST_F(MainWindowTest, WithoutSettingsFileNothingIsLoaded)
{
    open(defaults(), false);
    EXPECT_TRUE(view->navigations.isEmpty());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Linewarden"));
    EXPECT_EQ(window->btnRun->text(), QStringLiteral("Start"));
    EXPECT_FALSE(window->btnRun->isEnabled());
    EXPECT_EQ(window->btnStop->text(), QStringLiteral("Pause"));
}

TEST_F(MainWindowTest, FirstTypeARunOpensTheHomePageWithTheTrail)
{
    openTypeA();
    ASSERT_EQ(view->navigations.size(), 1);
    EXPECT_EQ(view->navigations.at(0).url, QStringLiteral("http://192.168.1.254"));
    EXPECT_EQ(view->navigations.at(0).flags, 14);
    EXPECT_FALSE(window->Panel10->isHidden());
}

TEST_F(MainWindowTest, RecognisedTypeAPageIsLearnedStartsSamplingAndIsRead)
{
    openTypeA();
    view->complete(FakeDocument(QStringLiteral("http://192.168.1.254/"), QStringLiteral("<p>Home</p>")));
    EXPECT_TRUE(window->Panel4->isHidden());
    EXPECT_EQ(monitor->cycle().runState(), RunState::Idle);

    completeStatisticsPage();
    EXPECT_EQ(monitor->urls().navigationUrl, StatsUrl);
    EXPECT_EQ(monitor->urls().learnedUrl, StatsUrl);
    EXPECT_EQ(window->Label2->text(), u'!' + StatsUrl);
    EXPECT_EQ(monitor->settings().text(SettingKey::HHAUrl), QStringLiteral("/index.cgi?active_page=9118&"));
    EXPECT_TRUE(window->Panel10->isHidden());
    EXPECT_TRUE(window->btnRun->isEnabled());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Linewarden   [Running]"));
    EXPECT_TRUE(monitor->navigation().autoStarted());
    // The page already shown is read; the start's own load was stopped.
    EXPECT_EQ(window->Label15->text(), QStringLiteral("1,250 Kbps"));
    EXPECT_FALSE(window->Label22->text().isEmpty());
    EXPECT_TRUE(monitor->sample().pageRead);
    EXPECT_EQ(samplesTaken(), 1);
    EXPECT_GE(view->stops, 1);
    EXPECT_EQ(view->navigations.constLast().url, StatsUrl);

    // The learned path is saved for the next run.
    window->close();
    const Settings next = saved();
    EXPECT_EQ(next.text(SettingKey::HHAUrl), QStringLiteral("/index.cgi?active_page=9118&"));
    EXPECT_EQ(next.text(SettingKey::ActualUrl), StatsUrl);
}

TEST_F(MainWindowTest, LaterTypeARunLogsInThroughTheFirstFormAndLinkEight)
{
    openTypeA(QStringLiteral("/index.cgi?active_page=9118&"));
    EXPECT_EQ(view->navigations.at(0).url, StatsUrl);
    view->complete(FakeLoginPage(StatsDocumentUrl, QStringLiteral("4711")));
    ASSERT_EQ(view->fieldValues.size(), 1);
    EXPECT_EQ(view->fieldValues.at(0).formIndex, 0);
    EXPECT_EQ(view->fieldValues.at(0).name, QStringLiteral("password_4711"));
    EXPECT_EQ(view->fieldValues.at(0).value, QStringLiteral("secret"));
    EXPECT_EQ(view->clickedLinks, QList<int> { 8 });
    // The login page shows "Password:": the page is scrolled into view.
    EXPECT_EQ(view->scrolls, QList<QPoint> { QPoint(0, 28) });
    EXPECT_EQ(monitor->cycle().runState(), RunState::Idle);
}

TEST_F(MainWindowTest, LoginPageWithoutTheFieldIsLeftAlone)
{
    openTypeA(QStringLiteral("/index.cgi?active_page=9118&"));
    DocumentSnapshot page = FakeLoginPage(StatsDocumentUrl, QStringLiteral("1"));
    page.forms.clear();
    view->complete(page);
    EXPECT_TRUE(view->fieldValues.isEmpty());
    EXPECT_TRUE(view->clickedLinks.isEmpty());
}

TEST_F(MainWindowTest, WithoutAutomaticLoginTheLoginPageIsLeftForTheUser)
{
    Settings settings = typeA(QStringLiteral("/index.cgi?active_page=9118&"), false);
    settings.setInteger(SettingKey::Page, 3);
    open(settings);
    EXPECT_EQ(window->PageControl1->currentIndex(), 0); // whatever Page says
    view->complete(FakeLoginPage(StatsDocumentUrl, QStringLiteral("4711")));
    EXPECT_TRUE(view->fieldValues.isEmpty());
    EXPECT_TRUE(view->clickedLinks.isEmpty());
}

TEST_F(MainWindowTest, WrongPasswordBringsTheHomeHubTabForwardAndTakesNoSample)
{
    openTypeA(QStringLiteral("/index.cgi?active_page=9118&"));
    completeStatisticsPage();
    const int samples = samplesTaken();
    const int stops = view->stops;
    window->PageControl1->setCurrentIndex(5);
    view->complete(FakeDocument(
        StatsDocumentUrl, QStringLiteral("<p>The password is incorrect.</p><input name=password_1>")));
    EXPECT_EQ(window->PageControl1->currentIndex(), 0);
    EXPECT_EQ(view->stops, stops + 1);
    EXPECT_EQ(samplesTaken(), samples);
    EXPECT_TRUE(view->fieldValues.isEmpty());

    // At the very start of the body the word does not count.
    view->complete(FakeDocument(StatsDocumentUrl, QStringLiteral("incorrect")));
    EXPECT_EQ(view->stops, stops + 1);
}

TEST_F(MainWindowTest, LoginPromptWhileStoppedShowsTheTabOnly)
{
    openTypeB();
    view->complete(FakeDocument(TypeBUrl, FixturePage(QStringLiteral("hub-b-statistics.html"))));
    monitor->cycle().btnStopMouseDown();
    monitor->cycle().btnStopClick();
    monitor->cycle().btnStopMouseDown();
    ASSERT_EQ(monitor->cycle().runState(), RunState::Stopped);
    window->PageControl1->setCurrentIndex(2);
    window->Label15->setText(QStringLiteral("kept"));
    view->complete(FakeDocument(TypeBUrl, QStringLiteral("<p>Please enter your admin password</p>")));
    EXPECT_EQ(window->PageControl1->currentIndex(), 0);
    EXPECT_EQ(window->Label15->text(), QStringLiteral("kept"));
}

TEST_F(MainWindowTest, TypeBStartsOnAnyPageButReadsOnlyAtItsUrl)
{
    openTypeB();
    EXPECT_EQ(view->navigations.at(0).url, TypeBUrl);
    EXPECT_TRUE(window->Panel10->isHidden());
    const QString stats = FixturePage(QStringLiteral("hub-b-statistics.html"));

    view->complete(FakeDocument(QStringLiteral("http://192.168.1.254/html/home.html"), stats));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Linewarden   [Running]"));
    EXPECT_TRUE(window->btnRun->isEnabled());
    EXPECT_TRUE(window->Label15->text().isEmpty());
    EXPECT_EQ(samplesTaken(), 0);

    // The engine adds nothing that matters: the same page in its spelling.
    view->complete(FakeDocument(TypeBUrl, stats));
    EXPECT_FALSE(window->Label15->text().isEmpty());
    EXPECT_EQ(samplesTaken(), 1);
    EXPECT_EQ(monitor->settings().text(SettingKey::HHBUrl), QStringLiteral("/html/settings/a_adsl.html"));
}

// Once a statistics page has been read, every page load while running is a
// sample: a page that is not the statistics page counts with zero margins and
// speeds and logs its time stamp alone, so a router that stops answering
// shows as a drop to zero.
TEST_F(MainWindowTest, EveryPageWhileRunningIsASampleOnceTheStatisticsPageWasRead)
{
    Settings settings = typeA(QStringLiteral("/index.cgi?active_page=9118&"));
    settings.setFlag(SettingKey::cbLog, true);
    settings.setText(SettingKey::LogFile, data.filePath(QStringLiteral("log.txt")));
    open(settings);
    // Before any statistics page, nothing is plotted or logged.
    view->complete(FakeDocument(StatsUrl, QStringLiteral("<p>Home</p>")));
    EXPECT_EQ(samplesTaken(), 0);

    completeStatisticsPage();
    clock.advanceSeconds(30);
    // An engine error page, a page without a body, junk.
    view->complete(FakeDocument(QStringLiteral("chrome-error://chromewebdata/"),
        QStringLiteral("<div>This site can't be reached</div>")));
    view->complete(FakeDocument(StatsUrl, QString()));
    view->complete(FakeDocument(StatsUrl, QStringLiteral("\u00ff\u00fe\u0001garbage")));
    EXPECT_EQ(samplesTaken(), 4);
    EXPECT_EQ(monitor->cycle().runState(), RunState::Running);
    EXPECT_TRUE(window->Label15->text().isEmpty());
    EXPECT_EQ(monitor->sample().speedUp, 0);
    EXPECT_EQ(monitor->sample().noiseMarginDown, 0);
    const QStringList lines = QString::fromUtf8(data.readFile(QStringLiteral("log.txt")))
                                  .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 6);
    EXPECT_TRUE(lines.at(0).startsWith(u"Date/Time"));
    EXPECT_TRUE(lines.at(2).startsWith(u"Wed 09 Dec 2026  10:00:00, "));
    EXPECT_GT(lines.at(2).size(), 40);
    EXPECT_EQ(lines.at(5), QStringLiteral("Wed 09 Dec 2026  10:00:30, "));

    // Paused, nothing more is taken.
    monitor->cycle().btnStopClick();
    completeStatisticsPage();
    EXPECT_EQ(samplesTaken(), 4);
}

TEST_F(MainWindowTest, EveryCompletedFrameRunsTheHandlerOnTheTopDocument)
{
    openTypeA(QStringLiteral("/index.cgi?active_page=9118&"));
    completeStatisticsPage();
    const int samples = samplesTaken();
    view->completeFrame();
    view->completeFrame();
    EXPECT_EQ(samplesTaken(), samples + 2);
}

TEST_F(MainWindowTest, GuardCancelsLinksWhileRunningAndLetsThemThroughWhilePaused)
{
    openTypeA(QStringLiteral("/index.cgi?active_page=9118&"));
    completeStatisticsPage();
    ASSERT_EQ(monitor->cycle().runState(), RunState::Running);

    EXPECT_FALSE(view->requestNavigation(QStringLiteral("http://192.168.1.254/index.cgi?active_page=1")));
    EXPECT_FALSE(window->Panel9->isHidden());
    EXPECT_TRUE(monitor->cycle().timer2().isActive());
    // The statistics page itself, in the engine's spelling, may load.
    EXPECT_TRUE(view->requestNavigation(StatsDocumentUrl.left(StatsDocumentUrl.indexOf(u"&") + 1)));
    EXPECT_TRUE(window->Panel9->isHidden());

    monitor->cycle().btnStopClick();
    EXPECT_TRUE(view->requestNavigation(QStringLiteral("http://192.168.1.254/index.cgi?active_page=1")));
    EXPECT_TRUE(window->Panel9->isHidden());
    EXPECT_FALSE(monitor->cycle().timer2().isActive());
}

TEST_F(MainWindowTest, LoginAfterTheRouterForgotTheSessionPassesTheGuard)
{
    openTypeA(QStringLiteral("/index.cgi?active_page=9118&"));
    completeStatisticsPage();
    ASSERT_EQ(monitor->cycle().runState(), RunState::Running);
    view->complete(FakeLoginPage(StatsDocumentUrl, QStringLiteral("12")));
    ASSERT_EQ(view->clickedLinks, QList<int> { 8 });
    // The one navigation the login's click starts goes ahead; any other,
    // before or after the router's answer, is the user's or the page's own.
    EXPECT_TRUE(view->requestNavigation(QStringLiteral("http://192.168.1.254/login.cgi")));
    EXPECT_FALSE(view->requestNavigation(QStringLiteral("http://192.168.1.254/login.cgi")));
    completeStatisticsPage();
    EXPECT_FALSE(view->requestNavigation(QStringLiteral("http://192.168.1.254/login.cgi")));
}

TEST_F(MainWindowTest, ButtonsFollowTheRunState)
{
    openTypeA(QStringLiteral("/index.cgi?active_page=9118&"));
    completeStatisticsPage();
    EXPECT_TRUE(window->btnRun->isChecked());
    EXPECT_FALSE(window->routerAccess().edPassword1->isEnabled());

    window->btnStop->click();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Linewarden   [Paused]"));
    EXPECT_EQ(window->btnStop->text(), QStringLiteral("Stop"));
    EXPECT_TRUE(window->btnStop->isChecked());
    EXPECT_FALSE(window->btnRun->isChecked());
    EXPECT_FALSE(window->btnStop->icon().isNull());
    EXPECT_TRUE(window->routerAccess().edPassword1->isEnabled());

    window->btnRun->click();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Linewarden   [Running]"));
    EXPECT_EQ(window->btnRun->text(), QStringLiteral("Resume"));
    EXPECT_EQ(window->btnStop->text(), QStringLiteral("Pause"));
    EXPECT_TRUE(window->statusPanels().StatusPanel0->text().startsWith(u"Start: "));
}

// The toolbar's indicators show on the shown window exactly while their
// option is on, from the start and after each change.
TEST_F(MainWindowTest, ToolbarIndicatorsShowWhileTheirOptionIsOn)
{
    Settings settings = typeA();
    settings.setFlag(SettingKey::cbLog, true);
    settings.setFlag(SettingKey::cbCapture, true);
    open(settings);
    window->show();
    const struct {
        const char *option;
        QCheckBox *box;
        QLabel *indicator;
    } cases[] = {
        { "logging", window->logControls().cbLog, window->logControls().Image7 },
        { "capture each page", window->captureControls().cbCapture, window->captureControls().Image1 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.option);
        EXPECT_TRUE(c.indicator->isVisible());
        c.box->setChecked(false);
        EXPECT_FALSE(c.indicator->isVisible());
        c.box->setChecked(true);
        EXPECT_TRUE(c.indicator->isVisible());
    }
}

// The Configure menu's two items each paint their own group white and give
// the other its normal face back; another tab gives both back, and a press
// on another tab the "Router Access" box too. The maintenance window's
// "View" of the log opens it as "ViewLog" does.
TEST_F(MainWindowTest, PartsFollowWhatTheOthersDo)
{
    openTypeA();
    window->show();
    LogControls &log = window->logControls();
    QStringList told;
    log.setDesktop({ {}, [&told](const QString &text) { told << text; }, {} });
    QGroupBox *routerGroup = window->routerAccess().GroupBox1;
    QTabBar *tabs = window->PageControl1->tabBar();
    const auto pressTab
        = [tabs](int tab) { QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center()); };
    const struct {
        const char *step;
        std::function<void()> act;
        bool logWhite;
        bool graphsWhite;
    } steps[] = {
        { "Configure Logging...", [&] { log.mnuConfigLog->trigger(); }, true, false },
        { "Configure Image Capture...", [&] { window->captureControls().mnuConfigCap->trigger(); }, false,
            true },
        { "Configure Logging... again", [&] { log.mnuConfigLog->trigger(); }, true, false },
        { "another tab", [&] { pressTab(2); }, false, false },
        { "Configure Image Capture... again", [&] { window->captureControls().mnuConfigCap->trigger(); },
            false, true },
        { "yet another tab", [&] { window->PageControl1->setCurrentIndex(5); }, false, false },
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.step);
        routerGroup->setAutoFillBackground(true);
        step.act();
        EXPECT_EQ(log.GroupBox3->autoFillBackground(), step.logWhite);
        EXPECT_EQ(window->GraphsGroup->autoFillBackground(), step.graphsWhite);
    }
    // Only a press on another tab than the selected one.
    pressTab(5);
    EXPECT_TRUE(routerGroup->autoFillBackground());
    pressTab(1);
    EXPECT_FALSE(routerGroup->autoFillBackground());

    window->Form5->btnLogView->click();
    EXPECT_EQ(told, QStringList { QStringLiteral("No log file found.") });
}

TEST_F(MainWindowTest, MouseWheelDoesNothing)
{
    openTypeA();
    window->graphs().spSample->setValue(30);
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
        Qt::NoScrollPhase, false);
    QApplication::sendEvent(window->graphs().spSample, &wheel);
    EXPECT_EQ(window->graphs().spSample->value(), 30);
}

// Every press counts: a quick second press arrives as a double click.
TEST_F(MainWindowTest, SecondPressOfPauseStops)
{
    for (const bool quick : { false, true }) {
        SCOPED_TRACE(quick ? "double click" : "two clicks");
        openTypeA(QStringLiteral("/index.cgi?active_page=9118&"));
        completeStatisticsPage();
        QTest::mouseClick(window->btnStop, Qt::LeftButton);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Linewarden   [Paused]"));
        if (quick)
            QTest::mouseDClick(window->btnStop, Qt::LeftButton);
        else
            QTest::mouseClick(window->btnStop, Qt::LeftButton);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Linewarden   [Stopped]"));
        EXPECT_EQ(window->btnRun->text(), QStringLiteral("Start"));
        EXPECT_EQ(window->btnStop->text(), QStringLiteral("Stop"));
        EXPECT_FALSE(monitor->cycle().timer5().isActive());
        EXPECT_FALSE(monitor->cycle().timer1().isActive());
    }
}

TEST_F(MainWindowTest, PageMenuCopiesTheSelectionAndSelectsAll)
{
    openTypeA();
    view->selection = QStringLiteral("6.2 / 5.8 dB");
    window->mnuCopyPageClick();
    window->mnuSelectAllPageClick();
    EXPECT_EQ(view->selectAlls, 1);
    const QStringList items = [this] {
        QStringList texts;
        for (const QAction *action : window->PopupMenu1->actions())
            texts << action->text();
        return texts;
    }();
    EXPECT_EQ(items,
        (QStringList { QStringLiteral("Copy"), QString(), QStringLiteral("Select All"), QString(),
            QStringLiteral("Save ADSL Line Stats Image As...") }));
}

// By default the window is centred on the primary screen the program runs
// on, so that is what a first save writes.
TEST_F(MainWindowTest, DefaultPlaceCentresTheWindowOnThePrimaryScreen)
{
    const MonitorContext desktop
        = DesktopMonitorContext(DataFolder::Resolve(DataFolder::CurrentInputs(data.path())));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const Settings settings(SettingsContextOf(desktop));
    EXPECT_EQ(settings.integer(SettingKey::Top), screen.y() + screen.height() / 2 - 325);
    EXPECT_EQ(settings.integer(SettingKey::Left), screen.x() + screen.width() / 2 - 425);
}

// With "Prompt before closing" on, the question comes first: Cancel leaves
// everything running and saves nothing, Yes saves; with it off nobody is
// asked.
TEST_F(MainWindowTest, ClosingAsksFirstWhenPromptIsOn)
{
    openTypeA(QStringLiteral("/index.cgi?active_page=9118&"));
    completeStatisticsPage();
    int asked = 0;
    bool answer = false;
    window->setCloseQuestion([&](const QPoint &) {
        ++asked;
        return answer;
    });
    const QByteArray before = data.readFile(QStringLiteral("linewarden.ini"));
    EXPECT_FALSE(window->close());
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(monitor->cycle().runState(), RunState::Running);
    EXPECT_EQ(data.readFile(QStringLiteral("linewarden.ini")), before);

    answer = true;
    EXPECT_TRUE(window->close());
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(saved().text(SettingKey::ActualUrl).endsWith(u"active_page=9118&"));

    Settings settings = typeA();
    settings.setFlag(SettingKey::Prompt, false);
    open(settings);
    window->setCloseQuestion([&](const QPoint &) { return ++asked, false; });
    EXPECT_TRUE(window->close());
    EXPECT_EQ(asked, 2);
}

// The question stands over the middle of the window, or near the bottom
// right of the screen while the window is hidden in the tray.
TEST_F(MainWindowTest, CloseQuestionStandsOverTheWindowOrNearTheTray)
{
    for (const bool inTray : { false, true }) {
        SCOPED_TRACE(inTray);
        Settings settings = typeA();
        settings.setFlag(SettingKey::Minimize, true);
        open(settings);
        window->tray().setTrayAvailable(true);
        window->show();
        const QRect place(window->pos(), window->size());
        if (inTray) {
            window->setWindowState(Qt::WindowMinimized);
            QCoreApplication::processEvents();
            ASSERT_TRUE(window->isHidden());
        }
        QPoint asked;
        window->setCloseQuestion([&](const QPoint &position) {
            asked = position;
            return false;
        });
        window->tray().mnuClose->trigger();
        const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
        EXPECT_EQ(asked,
            inTray ? QPoint(screen.width() - 350, screen.height() - 200)
                   : QPoint(place.x() + place.width() / 2 - 130, place.y() + place.height() / 2 - 60));
    }
}

// A termination signal while a box of the close waits for an answer (the
// question, or the news that the save failed) takes that box away and the
// close goes ahead: the settings are saved where they can be.
TEST_F(MainWindowTest, EndedFromOutsideWhileACloseBoxIsOpenTheCloseGoesAhead)
{
    for (const bool saveFails : { false, true }) {
        SCOPED_TRACE(saveFails);
        Settings settings = typeA();
        settings.setFlag(SettingKey::Prompt, !saveFails);
        open(settings);
        completeStatisticsPage();
        window->setCloseQuestion({});
        if (saveFails) {
            ASSERT_TRUE(QFile::remove(iniPath()));
            ASSERT_TRUE(QDir().mkdir(iniPath()));
        }
        QString boxText;
        bool dismissed = false;
        QTimer::singleShot(0, window.get(), [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            boxText = box->text();
            window->closeWithoutQuestion();
            dismissed = box->isHidden();
            if (!dismissed)
                box->reject();
        });
        EXPECT_TRUE(window->close());
        EXPECT_EQ(boxText,
            saveFails ? QStringLiteral("Unable to write to ") + iniPath()
                      : QStringLiteral("Confirm: Close Linewarden?"));
        EXPECT_TRUE(dismissed);
        if (!saveFails) {
            EXPECT_TRUE(saved().text(SettingKey::ActualUrl).endsWith(u"active_page=9118&"));
        }
    }
}

// The user guide goes with the close itself, whoever closes; a cancelled
// close keeps it.
TEST_F(MainWindowTest, TheUserGuideIsDeletedByTheClose)
{
    const struct {
        const char *name;
        bool answer;
        bool fromOutside;
        bool guideLeft;
    } cases[] = {
        { "Cancel", false, false, true },
        { "Yes", true, false, false },
        { "termination signal", false, true, false },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        openTypeA();
        const HelpFile guide = HelpFile::Beside(iniPath());
        ASSERT_TRUE(guide.writeOut("<!DOCTYPE html>"));
        ConnectUserGuide(*window, guide);
        window->setCloseQuestion([&](const QPoint &) { return c.answer; });
        EXPECT_EQ(c.fromOutside ? window->requestClose(false) : window->close(), !c.guideLeft);
        EXPECT_EQ(QFileInfo::exists(data.filePath(QStringLiteral("linewarden.html"))), c.guideLeft);
    }
}

// The Edit menu follows the selected tab: the graph item on the graph tabs,
// named after the tab ("[none]" as an empty caption), the page's items on
// the router page.
TEST_F(MainWindowTest, EditMenuFollowsTheSelectedTab)
{
    Settings settings = typeA();
    settings.setInteger(SettingKey::User2, 6);
    open(settings);
    const struct {
        int page;
        const char *graphItem; // nullptr: hidden
    } cases[] = {
        { 0, nullptr },
        { 1, "Copy Noise Margin Graph Image" },
        { 4, "Copy  Graph Image" },
        { 5, nullptr },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.page);
        window->PageControl1->setCurrentIndex(c.page);
        window->Edit1Click();
        EXPECT_EQ(window->mnuCopy->isVisible(), c.graphItem != nullptr);
        if (c.graphItem) {
            EXPECT_EQ(window->mnuCopy->text(), QLatin1String(c.graphItem));
        }
        EXPECT_EQ(window->mnuCopyPage->isVisible(), c.page == 0);
        EXPECT_EQ(window->mnuSelectAll->isVisible(), c.page == 0);
    }
}

// Opened on the "Advanced" tab, or coming to it, the automatic login is
// enabled exactly when a password is there.
TEST_F(MainWindowTest, AdvancedTabInViewEnablesTheLoginOnlyWithAPassword)
{
    const struct {
        int page;
        const char *password;
    } cases[] = { { 6, "" }, { 6, "secret" }, { 5, "" } };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.page << " '" << c.password << "'");
        Settings settings = typeA();
        settings.setText(SettingKey::Password, QString::fromLatin1(c.password));
        settings.setInteger(SettingKey::Page, c.page);
        open(settings);
        window->show();
        window->PageControl1->setCurrentIndex(6);
        EXPECT_EQ(window->routerAccess().cbAttemptLogin1->isEnabled(), *c.password != '\0');
    }
}

// "Show the last day from history when starting" sits among the system
// options of the "Advanced" tab, off unless the file says otherwise, and
// the next save keeps what the box holds, in section "Advanced".
TEST_F(MainWindowTest, HistoryAtStartBoxReadsAndWritesItsKey)
{
    const struct {
        QByteArray file;
        bool checked;
        QByteArray savedLine; // once the box is clicked
    } cases[] = {
        { "[LW-BT]\r\nType=1\r\n", false, "HistoryAtStart=1\r\n" },
        { "[Advanced]\r\nHistoryAtStart=1\r\n", true, "HistoryAtStart=0\r\n" },
        { "[Advanced]\r\nHistoryAtStart=0\r\n", false, "HistoryAtStart=1\r\n" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file.constData());
        ASSERT_TRUE(data.writeFile(QStringLiteral("linewarden.ini"), c.file));
        open(defaults(), false);
        QCheckBox *box = window->cbHistoryAtStart;
        EXPECT_EQ(box->text(), QStringLiteral("Show the last day from history when starting"));
        EXPECT_TRUE(window->PageControl1->widget(6)->isAncestorOf(box));
        EXPECT_EQ(box->isChecked(), c.checked);
        box->click();
        ASSERT_TRUE(window->SaveIni());
        const QByteArray stored = data.readFile(QStringLiteral("linewarden.ini"));
        const qsizetype advanced = stored.indexOf("[Advanced]\r\n");
        ASSERT_GE(advanced, 0);
        const qsizetype next = stored.indexOf("\r\n[", advanced) + 2;
        EXPECT_TRUE(stored.mid(advanced, next - advanced).contains(c.savedLine)) << stored.constData();
    }
}

// A number beyond a spin box's range is held at the nearer end, and the next
// save keeps what the box holds.
TEST_F(MainWindowTest, StoredNumbersBeyondTheSpinBoxesAreSavedAsTheBoxesHoldThem)
{
    const struct {
        int sample;
        int points;
        int keptSample;
        int keptPoints;
    } cases[] = {
        { 5, 480, 10, 480 },
        { 9, -5, 10, 0 },
        { -30, 120, 10, 120 },
        { 301, 480, 300, 480 },
        { 100000, 480, 300, 480 },
        { 45, 480, 45, 480 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.sample);
        Settings settings = typeA();
        settings.setInteger(SettingKey::Sample, c.sample);
        settings.setInteger(SettingKey::PointsperPage, c.points);
        open(settings);
        EXPECT_EQ(window->graphs().spSample->value(), c.keptSample);
        ASSERT_TRUE(window->SaveIni());
        EXPECT_EQ(saved().integer(SettingKey::Sample), c.keptSample);
        EXPECT_EQ(saved().integer(SettingKey::PointsperPage), c.keptPoints);
    }
}

// The tray's tooltip tells the figures of the page loaded last, in every
// run state; a page without figures, or a login page, reads as zero. The
// icon keeps its "?" while paused.
TEST_F(MainWindowTest, TrayTooltipFollowsEveryPageLoad)
{
    openTypeA(QStringLiteral("/index.cgi?active_page=9118&"));
    completeStatisticsPage();
    monitor->cycle().btnStopClick();
    ASSERT_EQ(monitor->cycle().runState(), RunState::Paused);
    const QImage paused = window->tray().TrayIcon->icon().pixmap(16, 16).toImage();

    LineFigures line;
    line.marginDown = 12.4;
    line.marginUp = 6.2;
    line.speedDown = 7616;
    line.speedUp = 1000;
    const QString statistics = HubAStatisticsPage(line, QStringLiteral("/index.cgi?active%5fpage=9118"));
    const QString zero = QStringLiteral("Linewarden\nNoise margin: 0 dB\nSync speed: 0 Kbps");
    const QString figures = QStringLiteral("Linewarden\nNoise margin: 12.4 dB\nSync speed: 7616 Kbps");
    const struct {
        DocumentSnapshot page;
        QString tooltip;
    } loads[] = {
        { FakeDocument(StatsDocumentUrl, statistics), figures },
        { FakeDocument(StatsUrl, QStringLiteral("<p>Home</p>")), zero },
        { FakeDocument(StatsDocumentUrl, statistics), figures },
        { FakeLoginPage(StatsDocumentUrl, QStringLiteral("12")), zero },
    };
    for (const auto &load : loads) {
        view->complete(load.page);
        EXPECT_EQ(window->tray().TrayIcon->toolTip(), load.tooltip);
        EXPECT_EQ(window->tray().TrayIcon->icon().pixmap(16, 16).toImage(), paused);
    }
    EXPECT_EQ(samplesTaken(), 1);
}

// A settings file written by hand: every value reaches its control, and
// what the program does not know survives the next save.
TEST_F(MainWindowTest, HandWrittenSettingsReachTheirControlsAndUnknownKeysSurvive)
{
    const QByteArray password = EnDeCrypt("s3cret");
    ASSERT_TRUE(data.writeFile(QStringLiteral("linewarden.ini"),
        "[Mine]\r\nKeep=this\r\n[LW-BT]\r\nType=$1\r\nSample=0x2D\r\nLogin=7\r\nPointsperPage=120\r\n"
        "User1=3\r\nPrompt=0\r\nSaveAxes=1\r\nC2Lx=5\r\nC2L=9\r\nPassword="
            + password + "\r\nAddress=" + QByteArray(3000, 'a') + "\r\nUnknown=1\r\n[Log]\r\ncbLog=1\r\n"));
    open(defaults(), false);
    EXPECT_EQ(window->routerAccess().boxType1->currentIndex(), 1);
    EXPECT_EQ(window->graphs().spSample->value(), 45);
    EXPECT_TRUE(window->routerAccess().cbAttemptLogin1->isChecked());
    EXPECT_EQ(window->graphs().spPointsPerPage->value(), 120);
    EXPECT_EQ(window->graphs().boxUser1->currentIndex(), 3);
    EXPECT_FALSE(window->cbPrompt->isChecked());
    EXPECT_EQ(window->routerAccess().edPassword1->text(), QStringLiteral("s3cret"));
    EXPECT_EQ(window->routerAccess().edAddress->text().size(), 2047);
    // A damaged pair of axis limits keeps the start values.
    EXPECT_EQ(window->graphs().chartOfPage(2)->maximum(ChartAxis::Left), 20);
    EXPECT_EQ(window->graphs().chartOfPage(2)->minimum(ChartAxis::Left), 0);

    window->close();
    const QByteArray stored = data.readFile(QStringLiteral("linewarden.ini"));
    EXPECT_TRUE(stored.startsWith("[Mine]\r\nKeep=this\r\n"));
    EXPECT_TRUE(stored.contains("Unknown=1\r\n"));
    EXPECT_TRUE(stored.contains("Type=1\r\n"));
    EXPECT_TRUE(stored.contains("Password=" + password + "\r\n"));
    EXPECT_TRUE(stored.contains("cbLog=1\r\n"));
}

} // namespace
