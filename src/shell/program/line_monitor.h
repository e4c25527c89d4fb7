#pragma once

#include "base/settings.h"
#include "base/settings_bindings.h"
#include "base/user_figure.h"
#include "outputs/line_event_history.h"
#include "outputs/sample_log.h"
#include "outputs/web_image_server.h"
#include "sampling/line_sample.h"
#include "sampling/navigation_urls.h"
#include "sampling/sample_pipeline.h"

#include <QObject>
#include <QRect>
#include <QString>

class BrowserView;
class Clock;
class DailyMaintenance;
class GraphModel;
class HistoryStore;
class RouterNavigation;
class SampleCycle;

// Where the program runs and what it reads its defaults from.
struct MonitorContext {
    const Clock *clock = nullptr; // the system clock when none is given
    QString dataFolder; // stands in for the program folder
    QString settingsPath; // <folder>/<program>.ini
    QRect primaryScreen; // centres the window by default
};

// The parts that watch the line, with or without windows: the settings,
// loaded once and held for the whole run, the current sample, the sample
// cycle, the router navigation over a browser view, the sample log, the
// line events found so far and the per-sample pipeline the navigation hands
// every page load to, the web image server with its content type table, and
// the daily maintenance of the log, the events file and the captured images,
// checked at every Start too, the graph model, which holds sampling while
// a graph is held or paged back and names the log's user figures, and the
// line's history, opened at once so start-up can read it. The pipeline
// starts empty: where the program is put together, its steps are added.
class LineMonitor final : public QObject {
    Q_OBJECT

public:
    LineMonitor(const MonitorContext &context, BrowserView &view, QObject *parent = nullptr);
    ~LineMonitor() override;
    Q_DISABLE_COPY_MOVE(LineMonitor)

    const MonitorContext &context() const { return m_context; }
    const Clock &clock() const;
    Settings &settings() { return m_settings; }
    const Settings &settings() const { return m_settings; }
    SettingsBindings &bindings() { return m_bindings; }
    BrowserView &view() { return m_view; }
    LineSample &sample() { return m_sample; }
    NavigationUrls &urls() { return m_urls; }
    SampleLog &log() { return m_log; }
    SamplePipeline &pipeline() { return m_pipeline; }
    SampleCycle &cycle() { return *m_cycle; }
    RouterNavigation &navigation() { return *m_navigation; }
    WebImageServer &webServer() { return m_webServer; }
    DailyMaintenance &maintenance() { return *m_maintenance; }
    // The graphs as data: what is plotted, paged and captured.
    GraphModel &graphs() { return *m_graphs; }
    // The line's events: the events file's from earlier runs, then this run's.
    LineEventHistory &lineEvents() { return m_lineEvents; }
    // The line's history in the data folder; null when none could be
    // opened (or the run has no data folder).
    HistoryStore *history() const;

    // Whether the settings file exists now (the first run has none).
    bool settingsFileExists() const;
    // Puts the loaded settings into whatever is bound to them, in the load
    // order; then the sample cycle takes its interval and resume delay.
    void applySettings();
    // Stops the view and the web server and steers back to the statistics
    // page last confirmed, so that is what the settings keep.
    void prepareClose();
    // Takes back what the bindings collect and writes the settings file.
    bool SaveIni();

    // The log follows the user-defined graphs: its header names the figures
    // last chosen, and is owed to the file once a choice changed.
    void userFiguresChosen(UserFigure user1, UserFigure user2);
    void userFigureChanged();

signals:
    // Something the user should know about the history: that it is not
    // kept, or that a damaged history file was moved aside.
    void historyProblem(const QString &text);

private:
    void createGraphs();
    void openHistory();
    void keepHistory();

    MonitorContext m_context;
    BrowserView &m_view;
    Settings m_settings;
    SettingsBindings m_bindings;
    LineSample m_sample;
    NavigationUrls m_urls;
    SampleLog m_log;
    SamplePipeline m_pipeline;
    LineEventHistory m_lineEvents;
    // Its content type table is built here, before a stored Web setting
    // starts it while the settings are applied.
    WebImageServer m_webServer;
    SampleCycle *m_cycle = nullptr; // child of this
    RouterNavigation *m_navigation = nullptr; // child of this
    DailyMaintenance *m_maintenance = nullptr; // child of this
    GraphModel *m_graphs = nullptr; // child of this
    HistoryStore *m_history = nullptr; // child of this; none without a data folder
};

// The settings context of a run: its folder, clock, primary screen and the
// system's locale.
SettingsContext SettingsContextOf(const MonitorContext &context);
