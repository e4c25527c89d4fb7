#pragma once

#include "graphs/graph_host.h"
#include "outputs/sample_log.h"
#include "sampling/line_sample.h"
#include "sampling/navigation_urls.h"
#include "sampling/router_navigation_host.h"
#include "sampling/sample_cycle_host.h"
#include "shell/main_window_settings.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class BrowserView;
class Clock;
class GraphSet;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QSpinBox;
class QTabWidget;
class QToolButton;
class RouterNavigation;
class SampleCycle;

// Creates the browser view; its widget, if it has one, goes into host.
using BrowserViewFactory = std::function<std::unique_ptr<BrowserView>(QWidget *host)>;

// What the main window is built from.
struct MainWindowContext {
    const Clock *clock = nullptr;
    QString dataFolder; // stands in for the program folder
    QString settingsPath; // <folder>/<program>.ini
    BrowserViewFactory makeBrowser;
};

// The main window: toolbar with Start and Pause and the read-outs, the tabs
// with the router page, the status bar. It holds the controls and the
// state, and leaves the run states to SampleCycle and the router pages to
// RouterNavigation.
class TForm1 final : public QMainWindow,
                     public SampleCycleHost,
                     public RouterNavigationHost,
                     public GraphHost {
    Q_OBJECT

public:
    explicit TForm1(const MainWindowContext &context, QWidget *parent = nullptr);
    ~TForm1() override;
    Q_DISABLE_COPY_MOVE(TForm1)

    // Controls and state, as the other parts of the program and the tests
    // reach them.
    SampleCycle &cycle() { return *m_cycle; }
    RouterNavigation &navigation() { return *m_navigation; }
    GraphSet &graphs() { return *m_graphs; }
    const SampleLog &log() const { return m_log; }
    BrowserView &WebBrowser1() { return *m_browser; }
    NavigationUrls &urls() { return m_urls; }
    const LineSample &sample() const { return m_sample; }
    const MainWindowSettings &settings() const { return m_settings; }
    QTabWidget *PageControl1 = nullptr;
    QToolButton *btnRun = nullptr;
    QToolButton *btnStop = nullptr;
    QLabel *Label20 = nullptr;
    QLabel *Label22 = nullptr;
    QLabel *Label15 = nullptr;
    QLabel *Label23 = nullptr;
    QLabel *Label25 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Panel4 = nullptr;
    QLabel *Panel9 = nullptr;
    QFrame *Panel10 = nullptr;
    QLabel *StatusPanel0 = nullptr;
    QComboBox *boxType1 = nullptr;
    QLineEdit *edAddress = nullptr;
    QLineEdit *edPassword1 = nullptr;
    QCheckBox *cbAttemptLogin1 = nullptr;
    QSpinBox *spSample = nullptr;
    QComboBox *boxUser1 = nullptr;
    QComboBox *boxUser2 = nullptr;
    QMenu *PopupMenu1 = nullptr;

    // Writes the settings the window holds to the settings file.
    bool SaveIni();
    // The initial navigation, run whenever the window is shown.
    void FormShow();
    // "Copy" and "Select All" of the router-page menu.
    void mnuCopyPageClick();
    void mnuSelectAllPageClick();
    // Opens the router-page menu at a position of the browser's widget.
    void showPageMenu(const QPoint &globalPos);
    // Samples taken since start-up (plotted and logged).
    int samplesTaken() const { return m_samplesTaken; }

    // SampleCycleHost
    void hideNavigationHint() override;
    void showStartTime(const QString &text) override;
    void runMaintenanceCheck() override;
    void resetCaptureState(bool starting) override;
    void setRouterControlsEnabled(bool enabled) override;
    void showTrayStopped() override;
    void runStateChanged() override;

    // RouterNavigationHost
    RouterAccess routerAccess() const override;
    ReaderOptions readerOptions() const override;
    QString logDateFormat() const override;
    void setStatisticsPath(int type, const QString &path) override;
    void hideConnectingNotice() override;
    void showHomeHubTab() override;
    void showReadouts(const Readouts &readouts) override;
    void restoreCursor() override;
    void setTrailVisible(bool visible) override;
    void enableRunButton() override;
    void showStatisticsUrl(const QString &text) override;
    void showNavigationHint(bool show) override;
    void PlotSample(bool addPoints) override;
    void CaptureSample() override;
    void TraySample() override;
    void WebImageSample() override;
    void LogSample() override;
    void StatusSample() override;

    // GraphHost
    bool isRunning() const override;
    LineSample &lineSample() override { return m_sample; }
    const Clock &clock() const override { return *m_context.clock; }
    void pauseSampling() override;
    void startSampling() override;
    void holdSampling() override;
    void releaseSampling() override;
    void setSampleSeconds(int seconds) override;
    void setLogHeader(const QString &header) override { m_log.setHeader(header); }
    void setLogHeaderPending() override { m_log.setHeaderPending(true); }
    void showAdvancedTab() override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildToolbar();
    void buildTabs();
    QWidget *buildHomeHubTab();
    QWidget *buildConfigureTab();
    QWidget *buildAdvancedTab();
    void buildStatusBar();
    void buildPageMenu();
    void buildMainMenu();
    void applySettings();
    void collectSettings();
    QPixmap glyph(const QString &name) const;

    MainWindowContext m_context;
    MainWindowSettings m_settings;
    LineSample m_sample;
    NavigationUrls m_urls;
    SampleLog m_log;
    bool m_lostSyncCaptured = false;
    int m_samplesTaken = 0;
    std::unique_ptr<BrowserView> m_browser;
    SampleCycle *m_cycle = nullptr; // child of this
    RouterNavigation *m_navigation = nullptr; // child of this
    GraphSet *m_graphs = nullptr; // child of this
    QWidget *m_browserHost = nullptr;
    QWidget *m_toolbar = nullptr;
};
