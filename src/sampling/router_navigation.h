#pragma once

#include "sampling/line_sample.h"
#include "sampling/navigation_urls.h"
#include "sampling/router_settings.h"
#include "sampling/sample_pipeline.h"

#include <QObject>
#include <QString>

#include <functional>

class BrowserView;
class Clock;
class SampleCycle;

// Drives the browser view to the router's statistics page and hands every
// completed page on to the per-sample pipeline: the initial navigation, the
// page-loaded handler with the Type A login and URL learning, and the
// navigation guard that keeps the view on the statistics page while
// sampling runs. What the window is to show comes out as signals.
class RouterNavigation final : public QObject {
    Q_OBJECT

public:
    RouterNavigation(BrowserView &view, SampleCycle &cycle, NavigationUrls &urls, LineSample &sample,
        const Clock &clock, Settings &settings, const SamplePipeline &pipeline, QObject *parent = nullptr);
    Q_DISABLE_COPY_MOVE(RouterNavigation)

    // What the graphs say when a page load is built; without it a load
    // tells of no plotted samples and no page length.
    void setLoadContext(std::function<LoadContext()> context) { m_loadContext = std::move(context); }

    // Sends the view to the statistics page (or the router's start page);
    // nothing while there is no settings file.
    void initialNavigation(bool settingsFileExists);

    void WebBrowser1DocumentComplete();
    void WebBrowser1BeforeNavigate2(const QString &url, bool *cancel);

    bool autoStarted() const { return m_autoStarted; }
    // Whether the last handled page load was read as a statistics page.
    bool lastLoadWasSample() const { return m_lastLoadWasSample; }
    // How long the last page-loaded handler took, pipeline included.
    qint64 lastHandlerNanoseconds() const { return m_lastHandlerNanoseconds; }

signals:
    // The handler has finished one page load (after the pipeline).
    void pageHandled();
    // A page completed: the "connecting" notice goes.
    void pageArrived();
    // A failed login, or the login prompt while stopped: the router's page
    // is to be brought to the front.
    void routerPageWanted();
    // The five toolbar read-outs, cleared or filled by a reader.
    void readoutsChanged(const Readouts &readouts);
    // A page is being handled as a possible sample: the busy cursor goes.
    void cursorRestored();
    // The way to the statistics page is to be shown, or hidden.
    void trailVisibilityChanged(bool visible);
    // The statistics page is known at url: sampling may be started by hand.
    void statisticsPageConfirmed(const QString &url);
    // The guard cancelled a navigation (shown) or let one through (hidden).
    void navigationHintChanged(bool shown);

private:
    void handleDocument();
    bool failedLoginPage(const QString &page);
    bool loginPromptWhileStopped(const QString &page);
    bool attemptLogin(const QString &page);
    void startSample(const QDateTime &moment);
    bool recogniseTypeA(const QString &documentUrl, const QString &page);
    bool acceptTypeB(const QString &documentUrl, const QString &page);
    void startOnce();
    PageLoad buildLoad(const QDateTime &moment, bool statisticsPage) const;
    QString routerRoot() const;

    BrowserView &m_view;
    SampleCycle &m_cycle;
    NavigationUrls &m_urls;
    LineSample &m_sample;
    const Clock &m_clock;
    RouterSettings m_settings;
    const SamplePipeline &m_pipeline;
    std::function<LoadContext()> m_loadContext;
    Readouts m_readouts;
    bool m_autoStarted = false;
    bool m_lastLoadWasSample = false;
    // The automatic login clicked its link: the one navigation that click
    // starts passes the guard.
    bool m_loginNavigationDue = false;
    qint64 m_lastHandlerNanoseconds = 0;
};
