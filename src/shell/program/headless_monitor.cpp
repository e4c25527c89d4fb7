#include "shell/program/headless_monitor.h"

#include "base/settings.h"
#include "graphs/graph_model.h"
#include "outputs/capture_rules.h"
#include "outputs/console_step.h"
#include "outputs/graph_capture.h"
#include "outputs/line_event_notifier.h"
#include "outputs/output_settings.h"
#include "outputs/web_settings.h"
#include "sampling/browser_view.h"
#include "sampling/router_navigation.h"
#include "sampling/sample_cycle.h"
#include "shell/program/history_at_start.h"
#include "shell/program/line_monitor.h"
#include "shell/program/shared_steps.h"
#include "shell/windows/window_placement.h"

namespace {

// The room a main window of the stored size leaves its graphs.
QSize GraphSizeOfWindow(const Settings &settings)
{
    return GraphAreaOfWindow(
        QSize(settings.integer(SettingKey::Width), settings.integer(SettingKey::Height)));
}

QString OneLine(QString text)
{
    return text.replace(u'\n', u' ');
}

} // namespace

HeadlessMonitor::HeadlessMonitor(
    LineMonitor &monitor, QWidget *browserWidget, QTextStream &out, QTextStream &err)
    : m_monitor(monitor), m_out(out), m_err(err), m_charts(monitor.graphs(), &m_owner)
{
    if (browserWidget)
        browserWidget->setParent(&m_owner);
    Settings &settings = m_monitor.settings();
    m_rules = new CaptureRules(settings, &m_owner);
    m_capture = new GraphCapture(
        m_charts, m_monitor.graphs(), m_monitor.sample(), m_monitor.clock(), settings, &m_owner);
}

void HeadlessMonitor::start(int sampleSecondsOverride)
{
    alwaysLogIn();
    m_monitor.applySettings();
    m_monitor.graphs().startUp();
    m_charts.resize(GraphSizeOfWindow(m_monitor.settings()));
    ShowLastDayAtStartUp(m_monitor);
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
    AddSharedSteps(m_monitor, GraphOutputs { *m_rules, *m_capture },
        [this](const QString &message) { m_err << "linewarden: " << OneLine(message) << Qt::endl; });
    // Where the window shows its status bar, a line on standard output.
    m_monitor.pipeline().add(SamplePipeline::Stage::Status,
        std::make_unique<ConsoleStep>([this](const QString &line) { m_out << line << Qt::endl; }));
    // While line event notifications are on, each is a line on standard
    // error, in plain digits as the sample lines are.
    new LineEventNotifier(
        m_monitor.lineEvents(), m_monitor.settings(), m_monitor.clock(), QLocale::c(),
        [this](const EventNotice &notice) { m_err << "linewarden: " << notice.oneLine() << Qt::endl; },
        &m_owner);
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
        return m_exitStatus;
    m_closed = true;
    m_monitor.prepareClose();
    if (OutputSettings(m_monitor.settings()).captureOnClose() && m_monitor.graphs().PlotCount() > 2)
        m_capture->captureAll();
    if (!m_monitor.SaveIni()) {
        m_err << "linewarden: " << Settings::SaveFailedText(m_monitor.context().settingsPath) << Qt::endl;
        m_exitStatus = 1;
    }
    return m_exitStatus;
}
