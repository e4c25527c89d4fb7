#include "shell/headless_program.h"

#include "base/router_type.h"
#include "base/settings.h"
#include "demo/simulated_router.h"
#include "graphs/chart.h"
#include "graphs/graph_set.h"
#include "outputs/capture_rules.h"
#include "outputs/console_step.h"
#include "outputs/graph_capture.h"
#include "outputs/output_settings.h"
#include "outputs/web_settings.h"
#include "sampling/router_navigation.h"
#include "sampling/router_settings.h"
#include "sampling/sample_cycle.h"
#include "sampling/webengine_browser_view.h"
#include "shell/data_folder.h"
#include "shell/demo_setup.h"
#include "shell/desktop_program.h"
#include "shell/line_monitor.h"
#include "shell/shared_steps.h"
#include "shell/termination_signals.h"

#include <QApplication>
#include <QFileInfo>
#include <QWidget>

#include <functional>

namespace {

// The room a main window of the stored size leaves its graphs: less the
// menu, toolbar, tab row and status bar above and below, and the frame;
// never below the window's own minimum size.
constexpr int MinimumWindowWidth = 850;
constexpr int MinimumWindowHeight = 650;
constexpr int WindowFrameWidth = 20;
constexpr int WindowBarsHeight = 150;

QSize GraphSizeOfWindow(const Settings &settings)
{
    const int width = qMax(settings.integer(SettingKey::Width), MinimumWindowWidth);
    const int height = qMax(settings.integer(SettingKey::Height), MinimumWindowHeight);
    return QSize(width - WindowFrameWidth, height - WindowBarsHeight);
}

QString OneLine(QString text)
{
    return text.replace(u'\n', u' ');
}

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

// The parts of the main window that work without a screen: the graphs, in
// an owner widget that is never shown, the captures made of them, the web
// server and the console line; and the close path of the window.
class HeadlessMonitor final {
public:
    HeadlessMonitor(LineMonitor &monitor, QWidget *browserWidget, QTextStream &out, QTextStream &err);
    Q_DISABLE_COPY_MOVE(HeadlessMonitor)

    // Applies the settings, adds the steps, starts the web server when it
    // is switched on and sends the browser to the router.
    void start(int sampleSecondsOverride);
    // The close path: stops the browser and the web server, captures the
    // graphs when that is chosen, and saves the settings. The exit status;
    // the second call does nothing.
    int close();

private:
    void alwaysLogIn();
    void addSteps();
    void startWebServer();
    void reportProblems();

    LineMonitor &m_monitor;
    QTextStream &m_out;
    QTextStream &m_err;
    QWidget m_owner;
    GraphSet *m_graphs = nullptr; // child of m_owner
    CaptureRules *m_rules = nullptr; // child of m_owner
    GraphCapture *m_capture = nullptr; // child of m_owner
    bool m_closed = false;
};

HeadlessMonitor::HeadlessMonitor(
    LineMonitor &monitor, QWidget *browserWidget, QTextStream &out, QTextStream &err)
    : m_monitor(monitor), m_out(out), m_err(err)
{
    if (browserWidget)
        browserWidget->setParent(&m_owner);
    Settings &settings = m_monitor.settings();
    m_graphs = new GraphSet(
        m_monitor.cycle(), m_monitor.sample(), m_monitor.log(), m_monitor.clock(), settings, &m_owner);
    m_rules = new CaptureRules(settings, &m_owner);
    m_capture = new GraphCapture(*m_graphs, m_monitor.sample(), m_monitor.clock(), settings, &m_owner);
}

void HeadlessMonitor::start(int sampleSecondsOverride)
{
    alwaysLogIn();
    m_graphs->bindSettings(m_monitor.bindings());
    m_monitor.applySettings();
    m_graphs->startUp();
    const QSize graphSize = GraphSizeOfWindow(m_monitor.settings());
    for (Chart *chart : { m_graphs->Chart1, m_graphs->Chart2, m_graphs->Chart3, m_graphs->Chart4 })
        chart->resize(graphSize);
    if (sampleSecondsOverride > 0)
        m_monitor.cycle().overrideIntervalMs(sampleSecondsOverride * 1000);
    addSteps();
    reportProblems();
    startWebServer();
    m_monitor.view().setSilent(true);
    m_monitor.view().ensureWindow();
    m_monitor.navigation().initialNavigation(m_monitor.settingsFileExists());
}

// Nobody is there to type the password: a Type A router is logged into
// whatever the login option says, for this run only; the file keeps the
// option as the desktop program set it.
void HeadlessMonitor::alwaysLogIn()
{
    Settings &settings = m_monitor.settings();
    const bool stored = settings.flag(SettingKey::Login);
    settings.setFlag(SettingKey::Login, true);
    m_monitor.bindings().beforeSave([&settings, stored] { settings.setFlag(SettingKey::Login, stored); });
}

void HeadlessMonitor::addSteps()
{
    AddSharedSteps(
        m_monitor, GraphOutputs { *m_graphs, *m_rules, *m_capture },
        [this](const QString &message) { m_err << "linewarden: " << OneLine(message) << Qt::endl; },
        &m_owner);
    // Where the window shows its status bar, a line on standard output.
    m_monitor.pipeline().add(SamplePipeline::Stage::Status,
        std::make_unique<ConsoleStep>([this](const QString &line) { m_out << line << Qt::endl; }));
}

void HeadlessMonitor::startWebServer()
{
    const WebSettings web(m_monitor.settings());
    WebImageServer &server = m_monitor.webServer();
    server.setMetrics(web.metrics());
    if (!web.web())
        return;
    server.start(web.webFolder(), web.address(), web.port());
    m_err << "linewarden: " << WebServerHint(server.status()) << Qt::endl;
}

void HeadlessMonitor::reportProblems()
{
    QObject::connect(&m_monitor.navigation(), &RouterNavigation::routerPageWanted, &m_owner, [this] {
        m_err << "linewarden: the router did not accept the stored password; set it in the desktop program"
              << Qt::endl;
    });
}

int HeadlessMonitor::close()
{
    if (m_closed)
        return 0;
    m_closed = true;
    m_monitor.prepareClose();
    if (OutputSettings(m_monitor.settings()).captureOnClose() && m_graphs->PlotCount() > 2)
        m_capture->captureAll();
    if (m_monitor.SaveIni())
        return 0;
    m_err << "linewarden: " << Settings::SaveFailedText(m_monitor.context().settingsPath) << Qt::endl;
    return 1;
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

    // ---- Daily maintenance -------------------------------------------------
    // The daily schedule (log trim, deletion of old captures) is created
    // here, over `monitor`, once the settings are applied, and lives until
    // the end of this function.
    // ------------------------------------------------------------------------

    QObject::connect(&termination, &TerminationSignals::terminationRequested, &monitor,
        [&headless] { QCoreApplication::exit(headless.close()); });
    return QApplication::exec();
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
        const MonitorContext context = DesktopMonitorContext(folder);
        err << "linewarden: running without windows, files in " << context.dataFolder << Qt::endl;
        return RunWithoutWindows(context, {}, 0, out, err);
    }
    const bool typeA = commandLine.hubType != u'B';
    const std::unique_ptr<SimulatedRouter> router = StartDemoRouter(typeA, err);
    if (!router)
        return 2;
    const MonitorContext context = DesktopMonitorContext(DemoFolder(commandLine));
    err << "linewarden: demo without windows against the simulated Type " << (typeA ? 'A' : 'B')
        << " router at http://" << router->address() << ", files in " << context.dataFolder << Qt::endl;
    return RunWithoutWindows(
        context, [&](LineMonitor &monitor) { return WriteDemoSettings(monitor, *router, typeA); },
        commandLine.sampleSeconds, out, err);
}
