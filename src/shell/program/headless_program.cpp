#include "shell/program/headless_program.h"

#include "base/router_type.h"
#include "base/settings.h"
#include "demo/simulated_router.h"
#include "outputs/daily_maintenance.h"
#include "sampling/webengine_browser_view.h"
#include "shell/program/data_folder.h"
#include "shell/program/demo_setup.h"
#include "shell/program/desktop_program.h"
#include "shell/program/folder_lock.h"
#include "shell/program/headless_monitor.h"
#include "shell/program/line_monitor.h"
#include "shell/program/termination_signals.h"

#include <QApplication>
#include <QFileInfo>

#include <functional>
#include <optional>

namespace {

// Why the stored settings cannot be sampled without a window; empty when
// they can.
QString UnusableSettingsText(const Settings &settings, const QString &settingsPath)
{
    const RouterType type = RouterTypeFromIndex(settings.integer(SettingKey::Type));
    if (type == RouterType::None)
        return QStringLiteral("no router model is chosen in %1: run the desktop program's setup wizard "
                              "first")
            .arg(settingsPath);
    if (type == RouterType::TypeA && settings.text(SettingKey::HHAUrl).isEmpty())
        return QStringLiteral("the Type A router's statistics page is not known yet: open it once in the "
                              "desktop program, which learns it, then start again");
    return {};
}

// As the desktop program's, but the offscreen screen is no screen of the
// user's: a window place this run has to store for the first time (a new
// demo folder) is the top left corner, which every screen shows, rather
// than the middle of an imagined one.
MonitorContext HeadlessMonitorContext(const DataFolder &folder)
{
    MonitorContext context = DesktopMonitorContext(folder);
    context.primaryScreen
        = QRect(0, 0, DefaultOf(SettingKey::Width, {}).toInt(), DefaultOf(SettingKey::Height, {}).toInt());
    return context;
}

// The line monitor over the browser engine without a window, until a
// termination signal; prepare runs first (the demo writes its settings).
int RunWithoutWindows(const MonitorContext &context, const std::function<bool(LineMonitor &)> &prepare,
    int sampleSecondsOverride, QTextStream &out, QTextStream &err)
{
    // Caught from the start: a signal during the engine's slow start-up
    // waits until the program can take the close path.
    TerminationSignals termination;
    WebEngineBrowserView view(nullptr);
    LineMonitor monitor(context, view);
    if (prepare && !prepare(monitor)) {
        err << "linewarden: " << Settings::SaveFailedText(context.settingsPath) << Qt::endl;
        return 2;
    }
    const QString unusable = UnusableSettingsText(monitor.settings(), context.settingsPath);
    if (!unusable.isEmpty()) {
        err << "linewarden: " << unusable << Qt::endl;
        return 2;
    }
    HeadlessMonitor headless(monitor, view.widget(), out, err);
    headless.start(sampleSecondsOverride);

    // The daily schedule (log and events trim, deletion of old captures)
    // runs inside the monitor from start-up; a trim that fails is told on
    // standard error, as the window would show it.
    QObject::connect(&monitor.maintenance(), &DailyMaintenance::trimFailed, &monitor,
        [&err](const QString &text) { err << "linewarden: " << text << Qt::endl; });
    // So is a history that is not kept; the monitor tells it from the event
    // loop, so a problem found at start-up is heard here too.
    QObject::connect(&monitor, &LineMonitor::historyProblem, &monitor,
        [&err](const QString &text) { err << "linewarden: " << text << Qt::endl; });

    QObject::connect(&termination, &TerminationSignals::terminationRequested, &monitor,
        [&headless] { QCoreApplication::exit(headless.close()); });
    return QApplication::exec();
}

// The mode without windows takes its data folder; held by another program,
// the holder is named and the start ends with status 3. Nothing when this
// program goes on.
std::optional<int> TakeFolderWithoutWindows(FolderLock &lock, QTextStream &err)
{
    switch (lock.tryTake(FolderLock::Role::Headless)) {
    case FolderLock::Outcome::Taken:
        return std::nullopt;
    case FolderLock::Outcome::Unavailable:
        err << "linewarden: " << lock.unavailableText() << Qt::endl;
        return std::nullopt;
    case FolderLock::Outcome::Busy:
        break;
    }
    err << "linewarden: " << lock.busyText() << Qt::endl;
    return FolderLock::BusyExitStatus;
}

} // namespace

QString NoSettingsText(const QString &settingsPath)
{
    return QStringLiteral("no settings file at %1: run the desktop program's setup wizard first, or try "
                          "linewarden --headless --demo")
        .arg(settingsPath);
}

int RunHeadless(const CommandLine &commandLine, QTextStream &out, QTextStream &err)
{
    if (commandLine.mode != CommandLine::Mode::Demo) {
        const DataFolder folder = DataFolder::Resolve(DataFolder::CurrentInputs(commandLine.dataDir));
        if (!QFileInfo::exists(folder.settingsFile())) {
            err << "linewarden: " << NoSettingsText(folder.settingsFile()) << Qt::endl;
            return 2;
        }
        FolderLock lock(folder.path());
        if (const std::optional<int> status = TakeFolderWithoutWindows(lock, err))
            return *status;
        const MonitorContext context = HeadlessMonitorContext(folder);
        err << "linewarden: running without windows, files in " << context.dataFolder << Qt::endl;
        return RunWithoutWindows(context, {}, 0, out, err);
    }
    // The folder first: a second start on it starts no router.
    const MonitorContext context = HeadlessMonitorContext(DemoFolder(commandLine));
    FolderLock lock(context.dataFolder);
    if (const std::optional<int> status = TakeFolderWithoutWindows(lock, err))
        return *status;
    const bool typeA = commandLine.hubType != u'B';
    const std::unique_ptr<SimulatedRouter> router = StartDemoRouter(typeA, err);
    if (!router)
        return 2;
    err << "linewarden: demo without windows against the simulated Type " << (typeA ? 'A' : 'B')
        << " router at http://" << router->address() << ", files in " << context.dataFolder << Qt::endl;
    return RunWithoutWindows(
        context, [&](LineMonitor &monitor) { return WriteDemoSettings(monitor, *router, typeA); },
        commandLine.sampleSeconds, out, err);
}
