#include "shell/desktop_program.h"

#include "base/clock.h"
#include "base/settings.h"
#include "demo/simulated_router.h"
#include "sampling/router_navigation.h"
#include "sampling/sample_cycle.h"
#include "sampling/webengine_browser_view.h"
#include "shell/data_folder.h"
#include "shell/main_window.h"

#include <QApplication>
#include <QFile>
#include <QLayout>
#include <QStandardPaths>

namespace {

std::unique_ptr<BrowserView> MakeWebEngineView(QWidget *host)
{
    auto view = std::make_unique<WebEngineBrowserView>(host);
    if (host->layout())
        host->layout()->addWidget(view->widget());
    return view;
}

MainWindowContext ContextFor(const DataFolder &folder)
{
    folder.ensureExists();
    MainWindowContext context;
    context.clock = &Clock::system();
    context.dataFolder = folder.path();
    context.settingsPath = folder.settingsFile();
    context.makeBrowser = &MakeWebEngineView;
    return context;
}

// The demo's own folder unless --data-dir names one.
DataFolder DemoFolder(const CommandLine &commandLine)
{
    DataFolderInputs inputs = DataFolder::CurrentInputs(commandLine.dataDir);
    if (commandLine.dataDir.isEmpty())
        inputs.dataDirOption = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
            + QStringLiteral("/demo-") + commandLine.hubType;
    return DataFolder::Resolve(inputs);
}

// Points the demo folder's settings at the simulated router: its address and
// password, its statistics page, automatic login, logging on, 10 s samples.
bool WriteDemoSettings(const MainWindowContext &context, const SimulatedRouter &router, bool typeA)
{
    MainWindowSettings settings = LoadMainWindowSettings(context.settingsPath, context.dataFolder);
    settings.type = typeA ? 0 : 1;
    settings.address = router.address();
    settings.password = QStringLiteral("admin");
    settings.login = true;
    settings.sample = 10;
    settings.log = true;
    settings.actualUrl.clear();
    if (typeA)
        settings.hhaUrl = router.statisticsPath();
    else
        settings.hhbUrl = router.statisticsPath();
    return SaveMainWindowSettings(context.settingsPath, context.dataFolder, settings);
}

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

// Hidden switches for measuring the program: LINEWARDEN_DEMO_INTERVAL_MS
// samples faster than the settings allow, LINEWARDEN_DEMO_REPORT prints the
// sample count, the handler's time and the resident memory every 100
// samples, LINEWARDEN_DEMO_SAMPLES ends the program after that many.
void InstallDemoMeasurement(TForm1 &window, QTextStream &err)
{
    const int intervalMs = qEnvironmentVariableIntValue("LINEWARDEN_DEMO_INTERVAL_MS");
    if (intervalMs > 0)
        window.cycle().overrideIntervalMs(intervalMs);
    const bool report = qEnvironmentVariableIsSet("LINEWARDEN_DEMO_REPORT");
    const int limit = qEnvironmentVariableIntValue("LINEWARDEN_DEMO_SAMPLES");
    if (!report && limit <= 0)
        return;
    QObject::connect(
        &window.navigation(), &RouterNavigation::pageHandled, &window, [&window, &err, report, limit] {
            if (!window.navigation().lastLoadWasSample())
                return;
            const int n = window.samplesTaken();
            if (report && (n == 1 || n % 100 == 0 || n == limit))
                err << "samples " << n << " handler_us "
                    << window.navigation().lastHandlerNanoseconds() / 1000 << " rss_kb "
                    << ResidentKilobytes() << Qt::endl;
            if (limit > 0 && n >= limit)
                window.close();
        });
}

int RunMainWindow(const MainWindowContext &context)
{
    TForm1 window(context);
    window.show();
    return QApplication::exec();
}

} // namespace

int RunDesktop(const CommandLine &commandLine, QTextStream &err)
{
    Q_UNUSED(err);
    return RunMainWindow(ContextFor(DataFolder::Resolve(DataFolder::CurrentInputs(commandLine.dataDir))));
}

int RunDemo(const CommandLine &commandLine, QTextStream &err)
{
    const bool typeA = commandLine.hubType != u'B';
    SimulatedRouter::Options options;
    options.model = typeA ? SimulatedRouter::Model::TypeA : SimulatedRouter::Model::TypeB;
    SimulatedRouter router(options);
    QString error;
    if (!router.start(&error)) {
        err << "linewarden: the simulated router did not start: " << error << Qt::endl;
        return 2;
    }
    const MainWindowContext context = ContextFor(DemoFolder(commandLine));
    if (!WriteDemoSettings(context, router, typeA)) {
        err << "linewarden: " << Settings::SaveFailedText(context.settingsPath) << Qt::endl;
        return 2;
    }
    err << "linewarden: demo against the simulated Type " << (typeA ? 'A' : 'B') << " router at http://"
        << router.address() << ", files in " << context.dataFolder << Qt::endl;
    TForm1 window(context);
    InstallDemoMeasurement(window, err);
    window.show();
    return QApplication::exec();
}
