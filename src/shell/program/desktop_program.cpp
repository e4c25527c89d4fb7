#include "shell/program/desktop_program.h"

#include "base/clock.h"
#include "base/settings.h"
#include "demo/simulated_router.h"
#include "graphs/graph_model.h"
#include "sampling/router_navigation.h"
#include "sampling/sample_cycle.h"
#include "sampling/webengine_browser_view.h"
#include "shell/controls/tray_controller.h"
#include "shell/program/data_folder.h"
#include "shell/program/demo_setup.h"
#include "shell/program/desktop_pipeline.h"
#include "shell/program/desktop_wiring.h"
#include "shell/program/folder_lock.h"
#include "shell/program/help_file.h"
#include "shell/program/history_at_start.h"
#include "shell/program/line_monitor.h"
#include "shell/program/show_request_channel.h"
#include "shell/program/termination_signals.h"
#include "shell/windows/about_dialog.h"
#include "shell/windows/main_window.h"
#include "shell/windows/setup_wizard.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>
#include <QSessionManager>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <optional>

MonitorContext DesktopMonitorContext(const DataFolder &folder)
{
    folder.ensureExists();
    MonitorContext context;
    context.clock = &Clock::system();
    context.dataFolder = folder.path();
    context.settingsPath = folder.settingsFile();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        context.primaryScreen = screen->geometry();
    return context;
}

namespace {

qint64 ResidentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// The demo's sample interval (--sample, any number of seconds from 1), and
// hidden switches for measuring the program: LINEWARDEN_DEMO_REPORT prints
// the sample count, the handler's time and the resident memory every 100
// samples, LINEWARDEN_DEMO_SAMPLES ends the program after that many, and
// LINEWARDEN_DEMO_PAUSE_FILE names a file whose presence holds sampling
// paused (looked at once a second), so a soak run can measure a paused
// program.
void InstallDemoMeasurement(LineMonitor &monitor, TForm1 &window, int sampleSeconds, QTextStream &err)
{
    if (sampleSeconds > 0)
        monitor.cycle().overrideIntervalMs(sampleSeconds * 1000);
    const QString pauseFile = qEnvironmentVariable("LINEWARDEN_DEMO_PAUSE_FILE");
    if (!pauseFile.isEmpty()) {
        auto *poll = new QTimer(&window);
        QObject::connect(poll, &QTimer::timeout, &window, [&window, pauseFile] {
            SampleCycle &cycle = window.monitor().cycle();
            const bool held = QFileInfo::exists(pauseFile);
            if (held && cycle.runState() == RunState::Running)
                cycle.btnStopClick();
            else if (!held && cycle.runState() == RunState::Paused)
                cycle.btnRunClick();
        });
        poll->start(1000);
    }
    const bool report = qEnvironmentVariableIsSet("LINEWARDEN_DEMO_REPORT");
    const int limit = qEnvironmentVariableIntValue("LINEWARDEN_DEMO_SAMPLES");
    if (!report && limit <= 0)
        return;
    QObject::connect(&monitor.navigation(), &RouterNavigation::pageHandled, &window,
        [&monitor, &window, &err, report, limit] {
            if (!monitor.navigation().lastLoadWasSample())
                return;
            const int n = monitor.graphs().PlotCount();
            if (report && (n == 1 || n % 100 == 0 || n == limit))
                err << "samples " << n << " handler_us "
                    << monitor.navigation().lastHandlerNanoseconds() / 1000 << " rss_kb "
                    << ResidentKilobytes() << Qt::endl;
            if (limit > 0 && n >= limit)
                window.closeWithoutQuestion();
        });
}

// LINEWARDEN_DEMO_ACT, a hidden switch for testing how the program ends:
// once, after the first sample, the demo does what a user would.
// "minimize" minimises the window, taking the desktop to have a tray (so
// that with "Minimize to System Tray" on the window hides there), then
// prints "act minimize", followed by " hidden" when the window went into
// the tray. "close" prints "act close" and closes the window as its close
// box does; the question, when asked, holds the close open.
void InstallDemoAction(TForm1 &window, QTextStream &err)
{
    const QString action = qEnvironmentVariable("LINEWARDEN_DEMO_ACT");
    if (action.isEmpty())
        return;
    const auto act = [&window, &err, action] {
        if (action == QLatin1String("minimize")) {
            window.tray().setTrayAvailable(true);
            window.setWindowState(window.windowState() | Qt::WindowMinimized);
            // The tray hides the window once the minimise has run its course.
            QMetaObject::invokeMethod(
                &window,
                [&window, &err] {
                    const bool hidden = window.isHidden() && window.tray().iconShowing();
                    err << "act minimize" << (hidden ? " hidden" : "") << Qt::endl;
                },
                Qt::QueuedConnection);
        } else if (action == QLatin1String("close")) {
            err << "act close" << Qt::endl;
            window.close();
        }
    };
    QObject::connect(&window.monitor().navigation(), &RouterNavigation::pageHandled, &window,
        [&window, act, acted = false]() mutable {
            if (acted || !window.monitor().navigation().lastLoadWasSample())
                return;
            acted = true;
            // From the event loop, not from inside the page handling.
            QMetaObject::invokeMethod(&window, act, Qt::QueuedConnection);
        });
}

// Under LINEWARDEN_DEMO_REPORT the demo tells when a second start brought
// it to the front: "brought to the front", followed by " visible" when the
// window then shows, not minimised and not in the tray.
void ReportBroughtToFront(ShowRequestChannel &channel, TForm1 &window, QTextStream &err)
{
    if (!qEnvironmentVariableIsSet("LINEWARDEN_DEMO_REPORT"))
        return;
    QObject::connect(&channel, &ShowRequestChannel::showRequested, &window, [&window, &err] {
        // Looked at once the window has settled.
        QMetaObject::invokeMethod(
            &window,
            [&window, &err] {
                const bool visible
                    = window.isVisible() && !window.isMinimized() && !window.tray().iconShowing();
                err << "brought to the front" << (visible ? " visible" : "") << Qt::endl;
            },
            Qt::QueuedConnection);
    });
}

// A second start asked for the window: back from the tray or from being
// minimised (a maximised window stays maximised), raised and activated.
void BringToFront(TForm1 &window)
{
    if (window.tray().iconShowing()) {
        window.tray().mnuRestoreClick();
        return;
    }
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

// The desktop program takes its data folder. When another desktop program
// holds it, that one is asked to show its window and this start ends with
// status 0; held by the mode without windows (or a program that does not
// answer), the holder is named and the start ends with status 3. Nothing
// when this program goes on, listening for later starts.
std::optional<int> TakeFolderForWindow(FolderLock &lock, ShowRequestChannel &channel, QTextStream &err)
{
    switch (lock.tryTake(FolderLock::Role::Desktop)) {
    case FolderLock::Outcome::Taken:
        // Without the socket later starts only name this program.
        channel.listen();
        return std::nullopt;
    case FolderLock::Outcome::Unavailable:
        err << "linewarden: " << lock.unavailableText() << Qt::endl;
        return std::nullopt;
    case FolderLock::Outcome::Busy:
        break;
    }
    const FolderLock::Holder holder = lock.holder();
    const bool mayShow = holder.role != FolderLock::Role::Headless && holder.hostName.isEmpty();
    if (mayShow && ShowRequestChannel::AskToShow(channel.folder()))
        return 0;
    const QString text = lock.busyText();
    err << "linewarden: " << text << Qt::endl;
    // Started from a menu, nobody reads the error stream: a box says it too,
    // wherever there is a screen to show one on.
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        QMessageBox::warning(
            nullptr, QStringLiteral("Linewarden"), text.at(0).toUpper() + text.mid(1) + u'.');
    return FolderLock::BusyExitStatus;
}

// "Help...": the written-out guide in the desktop's HTML viewer. A guide
// deleted meanwhile is written out again first; without one nothing opens.
void OpenHelp(const HelpFile &help)
{
    if (!help.exists() && !help.writeOut(SelfContainedGuide(QStringLiteral(":/help"))))
        return;
    QDesktopServices::openUrl(QUrl::fromLocalFile(help.path()));
}

// The line monitor over the real browser engine and its main window, until
// the window closes; prepare runs before the window is created.
int RunMainWindow(const MonitorContext &context, const std::function<bool(LineMonitor &)> &prepare,
    const std::function<void(LineMonitor &, TForm1 &)> &measure, ShowRequestChannel &channel,
    QTextStream &err)
{
    WebEngineBrowserView view(nullptr);
    LineMonitor monitor(context, view);
    if (prepare && !prepare(monitor)) {
        err << "linewarden: " << Settings::SaveFailedText(context.settingsPath) << Qt::endl;
        return 2;
    }
    // The user guide lies beside the settings file while the program runs;
    // a folder we may not write to simply has none.
    const HelpFile help = HelpFile::Beside(context.settingsPath);
    help.writeOut(SelfContainedGuide(QStringLiteral(":/help")));
    TForm1 window(monitor, view.widget());
    WireDesktopParts(window);
    AddDesktopSteps(monitor, window);
    AddSetupWizard(window);
    QObject::connect(
        &channel, &ShowRequestChannel::showRequested, &window, [&window] { BringToFront(window); });
    if (measure)
        measure(monitor, window);
    TForm2 about(&window);
    ConnectUserGuide(window, help);
    QObject::connect(&window, &TForm1::aboutWanted, &about, &TForm2::ShowModal);
    QObject::connect(&about, &TForm2::guideWanted, &window, [&help] { OpenHelp(help); });

    // Ended from outside, the program takes the normal close path without
    // asking: a termination signal has nobody to answer, and the session's
    // end asks only where the session manager lets it.
    TerminationSignals termination;
    QObject::connect(
        &termination, &TerminationSignals::terminationRequested, &window, &TForm1::closeWithoutQuestion);
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &window, [&window](QSessionManager &manager) {
        const bool mayAsk = manager.allowsInteraction();
        const bool closed = window.requestClose(mayAsk);
        if (mayAsk)
            manager.release();
        if (!closed)
            manager.cancel();
    });
    // The program ends with its main window. Qt would end it only when the
    // last visible window closes: not for a window hidden in the tray, nor
    // while a dialog's event loop runs.
    QObject::connect(&window, &TForm1::closed, qApp, [] { QCoreApplication::exit(0); });
    // The window's creation applied the settings and started the graphs;
    // showing it makes the first navigation.
    ShowLastDayAtStartUp(monitor);
    window.show();
    const int status = QApplication::exec();
    // However the event loop ended, the close sequence has run once (it does
    // nothing the second time).
    window.closeWithoutQuestion();
    return status;
}

} // namespace

void ConnectUserGuide(TForm1 &window, const HelpFile &help)
{
    QObject::connect(&window, &TForm1::helpWanted, &window, [help] { OpenHelp(help); });
    QObject::connect(&window, &TForm1::closing, &window, [help] { help.remove(); });
}

int RunDesktop(const CommandLine &commandLine, QTextStream &err)
{
    const MonitorContext context
        = DesktopMonitorContext(DataFolder::Resolve(DataFolder::CurrentInputs(commandLine.dataDir)));
    FolderLock lock(context.dataFolder);
    ShowRequestChannel channel(context.dataFolder);
    if (const std::optional<int> status = TakeFolderForWindow(lock, channel, err))
        return *status;
    return RunMainWindow(context, {}, {}, channel, err);
}

int RunDemo(const CommandLine &commandLine, QTextStream &err)
{
    // The folder first: a second start on it starts no router.
    const MonitorContext context = DesktopMonitorContext(DemoFolder(commandLine));
    FolderLock lock(context.dataFolder);
    ShowRequestChannel channel(context.dataFolder);
    if (const std::optional<int> status = TakeFolderForWindow(lock, channel, err))
        return *status;
    const bool typeA = commandLine.hubType != u'B';
    const std::unique_ptr<SimulatedRouter> router = StartDemoRouter(typeA, err);
    if (!router)
        return 2;
    err << "linewarden: demo against the simulated Type " << (typeA ? 'A' : 'B') << " router at http://"
        << router->address() << ", files in " << context.dataFolder << Qt::endl;
    return RunMainWindow(
        context, [&](LineMonitor &monitor) { return WriteDemoSettings(monitor, *router, typeA); },
        [&err, &commandLine, &channel](LineMonitor &monitor, TForm1 &window) {
            InstallDemoMeasurement(monitor, window, commandLine.sampleSeconds, err);
            InstallDemoAction(window, err);
            ReportBroughtToFront(channel, window, err);
        },
        channel, err);
}
