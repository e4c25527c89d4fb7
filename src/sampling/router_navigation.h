#pragma once

#include "sampling/line_sample.h"
#include "sampling/navigation_urls.h"

#include <QObject>
#include <QString>

class BrowserView;
class Clock;
class RouterNavigationHost;
class SampleCycle;
struct RouterAccess;

// Drives the browser view to the router's statistics page and turns every
// completed page into one sample: the initial navigation, the page-loaded
// handler with the Type A login and URL learning, and the navigation guard
// that keeps the view on the statistics page while sampling runs.
class RouterNavigation final : public QObject {
    Q_OBJECT

public:
    RouterNavigation(BrowserView &view, SampleCycle &cycle, NavigationUrls &urls, LineSample &sample,
        const Clock &clock, RouterNavigationHost &host, QObject *parent = nullptr);
    Q_DISABLE_COPY_MOVE(RouterNavigation)

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

private:
    void handleDocument();
    bool failedLoginPage(const QString &page);
    bool loginPromptWhileStopped(const QString &page);
    bool attemptLogin(const RouterAccess &access, const QString &page);
    void startSample();
    bool recogniseTypeA(const RouterAccess &access, const QString &documentUrl, const QString &page);
    bool acceptTypeB(const RouterAccess &access, const QString &documentUrl, const QString &page);
    void confirmStatisticsPage(const RouterAccess &access);
    void runPipeline(bool sampleRead);

    BrowserView &m_view;
    SampleCycle &m_cycle;
    NavigationUrls &m_urls;
    LineSample &m_sample;
    const Clock &m_clock;
    RouterNavigationHost &m_host;
    Readouts m_readouts;
    bool m_autoStarted = false;
    bool m_lastLoadWasSample = false;
    bool m_loginSubmitted = false; // the automatic login's link was clicked
    qint64 m_lastHandlerNanoseconds = 0;
};
