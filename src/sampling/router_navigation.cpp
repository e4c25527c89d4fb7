#include "sampling/router_navigation.h"

#include "base/clock.h"
#include "sampling/browser_view.h"
#include "sampling/hub_a_reader.h"
#include "sampling/hub_b_reader.h"
#include "sampling/reader_steps.h"
#include "sampling/router_navigation_host.h"
#include "sampling/sample_cycle.h"
#include "sampling/trim_working_set.h"
#include "sampling/url_rules.h"

#include <QElapsedTimer>

#include <exception>

namespace {

constexpr int TypeA = 0;
constexpr int TypeB = 1;
constexpr int LoginLinkIndex = 8;
constexpr int PasswordScrollY = 28;

QString RouterRoot(const RouterAccess &access)
{
    return QStringLiteral("http://") + access.address;
}

} // namespace

RouterNavigation::RouterNavigation(BrowserView &view, SampleCycle &cycle, NavigationUrls &urls,
    LineSample &sample, const Clock &clock, RouterNavigationHost &host, QObject *parent)
    : QObject(parent), m_view(view), m_cycle(cycle), m_urls(urls), m_sample(sample), m_clock(clock),
      m_host(host)
{
    connect(&m_view, &BrowserView::documentComplete, this, &RouterNavigation::WebBrowser1DocumentComplete);
    connect(&m_view, &BrowserView::beforeNavigate, this, &RouterNavigation::WebBrowser1BeforeNavigate2,
        Qt::DirectConnection);
}

void RouterNavigation::initialNavigation(bool settingsFileExists)
{
    if (!settingsFileExists)
        return;
    const RouterAccess access = m_host.routerAccess();
    if (access.type == TypeA)
        m_urls.navigationUrl = RouterRoot(access) + access.hhaUrl;
    else if (access.type == TypeB)
        m_urls.navigationUrl = RouterRoot(access) + access.hhbUrl;
    try {
        const QString target = m_urls.navigationUrl.isEmpty() ? RouterRoot(access) : m_urls.navigationUrl;
        m_view.navigate(target, BrowserView::NavNoCache);
        m_host.setTrailVisible(access.type == TypeA);
        TrimWorkingSet();
    } catch (const std::exception &) {
    }
}

void RouterNavigation::WebBrowser1DocumentComplete()
{
    QElapsedTimer elapsed;
    elapsed.start();
    handleDocument();
    m_lastHandlerNanoseconds = elapsed.nsecsElapsed();
    emit pageHandled();
}

void RouterNavigation::handleDocument()
{
    m_lastLoadWasSample = false;
    m_loginSubmitted = false;
    m_sample.resetForPageLoad();
    m_host.hideConnectingNotice();

    const auto document = m_view.document();
    const QString page = document ? document->bodyHtml : QString();
    const QString documentUrl = document ? document->url : QString();

    if (failedLoginPage(page) || loginPromptWhileStopped(page))
        return;
    if (page.contains(u"Password:"))
        m_view.scrollBy(0, PasswordScrollY);

    const RouterAccess access = m_host.routerAccess();
    if (attemptLogin(access, page))
        return;

    startSample();
    bool sampleRead = false;
    if (access.type == TypeA)
        sampleRead = recogniseTypeA(access, documentUrl, page);
    else if (access.type == TypeB)
        sampleRead = acceptTypeB(access, documentUrl, page);
    m_lastLoadWasSample = sampleRead;

    runPipeline(sampleRead);
    TrimWorkingSet();
}

bool RouterNavigation::failedLoginPage(const QString &page)
{
    if (!ContainsFromThird(page, u"incorrect") && !ContainsFromThird(page, u"Your password hint"))
        return false;
    m_view.stop();
    m_host.showHomeHubTab();
    return true;
}

bool RouterNavigation::loginPromptWhileStopped(const QString &page)
{
    if (m_cycle.runState() != RunState::Stopped || !ContainsFromThird(page, u"enter your admin password"))
        return false;
    m_host.showHomeHubTab();
    return true;
}

bool RouterNavigation::attemptLogin(const RouterAccess &access, const QString &page)
{
    if (access.type != TypeA || !access.attemptLogin || m_urls.navigationUrl.isEmpty()
        || !ContainsFromThird(page, u"name=password_"))
        return false;
    // A page without the form, the field or the link is left as it is.
    if (WebFormSetFieldValue(m_view, 0, LoginFieldName(page), access.password)) {
        const auto document = m_view.document();
        if (document && document->linkCount > LoginLinkIndex) {
            m_loginSubmitted = true;
            m_view.clickLink(LoginLinkIndex);
        }
    }
    return true;
}

void RouterNavigation::startSample()
{
    m_readouts.clear();
    m_host.showReadouts(m_readouts);
    StartLogLine(m_sample, m_clock.now(), m_host.logDateFormat());
    m_host.restoreCursor();
}

bool RouterNavigation::recogniseTypeA(
    const RouterAccess &access, const QString &documentUrl, const QString &page)
{
    if (!page.contains(u"ADSL Settings"))
        return false;
    m_host.setTrailVisible(false);
    m_host.enableRunButton();
    m_urls.navigationUrl = LearnTypeAUrl(documentUrl);
    m_host.showStatisticsUrl(u'!' + m_urls.navigationUrl);
    m_host.setStatisticsPath(TypeA, RemoveFirst(m_urls.navigationUrl, RouterRoot(access)));
    m_urls.learnedUrl = m_urls.navigationUrl;
    if (!m_autoStarted) {
        m_cycle.btnRunClick();
        m_autoStarted = true;
    }
    BTHomeHub3A(page, m_host.readerOptions(), m_sample, m_readouts);
    m_host.showReadouts(m_readouts);
    TrimWorkingSet();
    m_view.stop();
    return true;
}

bool RouterNavigation::acceptTypeB(
    const RouterAccess &access, const QString &documentUrl, const QString &page)
{
    m_host.setTrailVisible(false);
    m_host.enableRunButton();
    m_host.showStatisticsUrl(u'!' + m_urls.navigationUrl);
    m_urls.learnedUrl = m_urls.navigationUrl;
    m_host.setStatisticsPath(TypeB, RemoveFirst(m_urls.navigationUrl, RouterRoot(access)));
    if (!m_autoStarted) {
        m_cycle.btnRunClick();
        m_autoStarted = true;
    }
    if (!SameUrl(documentUrl, m_urls.navigationUrl))
        return false;
    const bool wasRead = m_sample.pageRead;
    m_sample.pageRead = false;
    BTHomeHub3B(page, m_host.readerOptions(), m_sample, m_readouts);
    const bool readNow = m_sample.pageRead;
    m_sample.pageRead = wasRead || readNow;
    m_host.showReadouts(m_readouts);
    return readNow;
}

void RouterNavigation::runPipeline(bool sampleRead)
{
    // Only a page read as the statistics page makes a sample: an error page,
    // a page without a body or junk from the router adds no point and no
    // log line.
    const bool sampling = m_cycle.runState() == RunState::Running && m_sample.pageRead && sampleRead;
    m_host.PlotSample(sampling);
    if (!sampling)
        return;
    m_host.CaptureSample();
    m_host.TraySample();
    m_host.WebImageSample();
    m_host.LogSample();
    m_host.StatusSample();
}

void RouterNavigation::WebBrowser1BeforeNavigate2(const QString &url, bool *cancel)
{
    if (!m_view.document())
        return;
    // The login the program submits itself goes through even while sampling
    // runs: a router that forgot the session mid-run is logged in again
    // instead of answering every tick with its login page.
    const bool block
        = m_cycle.runState() == RunState::Running && !m_loginSubmitted && !SameUrl(url, m_urls.navigationUrl);
    if (cancel)
        *cancel = block;
    m_host.showNavigationHint(block);
    m_cycle.setHintTimerActive(block);
}
