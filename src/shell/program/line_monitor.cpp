#include "shell/program/line_monitor.h"

#include "base/clock.h"
#include "graphs/graph_cycle_link.h"
#include "graphs/graph_model.h"
#include "outputs/daily_maintenance.h"
#include "outputs/history_store.h"
#include "outputs/line_events_log.h"
#include "sampling/browser_view.h"
#include "sampling/log_format.h"
#include "sampling/router_navigation.h"
#include "sampling/router_settings.h"
#include "sampling/sample_cycle.h"

#include <QDir>
#include <QFileInfo>

SettingsContext SettingsContextOf(const MonitorContext &context)
{
    SettingsContext settings;
    settings.programFolder = context.dataFolder;
    settings.clock = context.clock;
    settings.primaryScreen = context.primaryScreen;
    return settings;
}

LineMonitor::LineMonitor(const MonitorContext &context, BrowserView &view, QObject *parent)
    : QObject(parent), m_context(context), m_view(view), m_settings(SettingsContextOf(context))
{
    m_settings.Load(m_context.settingsPath);
    // What earlier runs found stays in view; this run finds its own anew.
    m_lineEvents.restore(
        ReadLineEvents(LineEventsPath(m_settings.text(SettingKey::LogFile)), LineEventHistory::kMostEvents));
    // The program's own picture folders, where the capture and web folders
    // lie by default; one that cannot be made is left out, and what needs it
    // stays off.
    for (const SettingKey folder : { SettingKey::Capture, SettingKey::WebFolder })
        if (!m_context.dataFolder.isEmpty())
            QDir().mkpath(m_settings.defaultValue(folder).toString());
    m_cycle = new SampleCycle(m_view, m_urls, m_sample, clock(), this);
    m_navigation
        = new RouterNavigation(m_view, *m_cycle, m_urls, m_sample, clock(), m_settings, m_pipeline, this);
    m_maintenance = new DailyMaintenance(m_settings, m_log, clock(), this);
    connect(m_cycle, &SampleCycle::started, m_maintenance, &DailyMaintenance::DailyTimerTimer);
    // Every step hears of the run state, before the windows show it.
    connect(m_cycle, &SampleCycle::runStateChanged, this,
        [this] { m_pipeline.runStateChanged(m_cycle->runState()); });
    createGraphs();
    openHistory();

    // navigationUrl is what ActualUrl holds.
    m_bindings.bind(
        SettingKey::ActualUrl, [this] { m_urls.navigationUrl = m_settings.text(SettingKey::ActualUrl); });
    m_bindings.beforeSave([this] { m_settings.setText(SettingKey::ActualUrl, m_urls.navigationUrl); });
}

LineMonitor::~LineMonitor() = default;

void LineMonitor::createGraphs()
{
    m_graphs = new GraphModel(clock(), m_settings, this);
    m_graphs->bindSettings(m_bindings);
    LinkGraphsToSampling(*m_graphs, *m_cycle, m_sample);
    // Every load tells the steps what the graphs hold.
    m_navigation->setLoadContext([this] {
        return LoadContext { m_graphs->PlotCount(), m_graphs->pageLength() };
    });
    connect(m_graphs, &GraphModel::userFiguresChosen, this, &LineMonitor::userFiguresChosen);
    connect(m_graphs, &GraphModel::userFigureChanged, this, &LineMonitor::userFigureChanged);
}

// The history lives in the data folder; a run without one keeps none.
void LineMonitor::openHistory()
{
    if (m_context.dataFolder.isEmpty())
        return;
    m_history = new HistoryStore(m_context.dataFolder, clock(), this);
    connect(m_history, &HistoryStore::problem, this, &LineMonitor::historyProblem);
    m_history->open();
    connect(m_maintenance, &DailyMaintenance::historyDue, this, &LineMonitor::keepHistory);
}

// Once a day: a history that could not be kept is tried again, and the
// samples older than HistoryDays go.
void LineMonitor::keepHistory()
{
    if (!m_history->isWriting())
        m_history->open();
    m_history->removeOlderThan(m_settings.integer(SettingKey::HistoryDays));
}

HistoryStore *LineMonitor::history() const
{
    return m_history && m_history->isOpen() ? m_history : nullptr;
}

const Clock &LineMonitor::clock() const
{
    return m_context.clock ? *m_context.clock : Clock::system();
}

bool LineMonitor::settingsFileExists() const
{
    return QFileInfo::exists(m_context.settingsPath);
}

void LineMonitor::applySettings()
{
    m_bindings.applyInLoadOrder();
    const RouterSettings router(m_settings);
    // The log's header names the user-defined figures; it is not yet owed
    // to the file.
    const ReaderOptions figures = router.readerOptions();
    userFiguresChosen(figures.user1, figures.user2);
    m_log.setHeaderPending(false);
    m_cycle->setSampleSeconds(router.sampleSeconds());
    // The resume delay is taken here only: a changed delay applies from the
    // next run.
    m_cycle->setPauseDelaySeconds(router.pauseDelaySeconds());
}

void LineMonitor::prepareClose()
{
    m_view.stop();
    m_webServer.stop();
    // The samples taken so far are written, and the file closed whole.
    if (m_history)
        m_history->close();
    if (m_urls.learnedUrl != m_urls.navigationUrl)
        m_urls.navigationUrl = m_urls.learnedUrl;
}

void LineMonitor::userFiguresChosen(UserFigure user1, UserFigure user2)
{
    m_log.setHeader(LogHeader(user1, user2));
}

void LineMonitor::userFigureChanged()
{
    m_log.setHeaderPending(true);
}

bool LineMonitor::SaveIni()
{
    m_bindings.collect();
    return m_settings.SaveIni(m_context.settingsPath);
}
