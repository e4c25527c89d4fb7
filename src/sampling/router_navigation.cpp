#include "sampling/router_navigation.h"

#include "base/clock.h"
#include "sampling/browser_view.h"
#include "sampling/hub_a_reader.h"
#include "sampling/hub_b_reader.h"
#include "sampling/reader_steps.h"
#include "sampling/sample_cycle.h"
#include "sampling/trim_working_set.h"
#include "sampling/uptime_seconds.h"
#include "sampling/url_rules.h"

#include <QElapsedTimer>

#include <exception>

namespace {

constexpr int LoginLinkIndex = 8;
constexpr int PasswordScrollY = 28;

} // namespace

RouterNavigation::RouterNavigation(BrowserView &view, SampleCycle &cycle, NavigationUrls &urls,
    LineSample &sample, const Clock &clock, Settings &settings, const SamplePipeline &pipeline,
    QObject *parent)
    : QObject(parent), m_view(view), m_cycle(cycle), m_urls(urls), m_sample(sample), m_clock(clock),
      m_settings(settings), m_pipeline(pipeline)
{
    connect(&m_view, &BrowserView::documentComplete, this, &RouterNavigation::WebBrowser1DocumentComplete);
    connect(&m_view, &BrowserView::beforeNavigate, this, &RouterNavigation::WebBrowser1BeforeNavigate2,
        Qt::DirectConnection);
}

QString RouterNavigation::routerRoot() const
{
    return QStringLiteral("http://") + m_settings.address();
}

void RouterNavigation::initialNavigation(bool settingsFileExists)
{
    if (!settingsFileExists)
        return;
    const RouterType type = m_settings.type();
    if (type != RouterType::None)
        m_urls.navigationUrl = routerRoot() + m_settings.statisticsPath(type);
    try {
        const QString target = m_urls.navigationUrl.isEmpty() ? routerRoot() : m_urls.navigationUrl;
        m_view.navigate(target, BrowserView::NavNoCache);
        emit trailVisibilityChanged(type == RouterType::TypeA);
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
    m_loginNavigationDue = false;
    m_sample.resetForPageLoad();
    emit pageArrived();

    const auto document = m_view.document();
    const QString page = document ? document->bodyHtml : QString();
    const QString documentUrl = document ? document->url : QString();

    if (failedLoginPage(page) || loginPromptWhileStopped(page))
        return;
    if (page.contains(u"Password:"))
        m_view.scrollBy(0, PasswordScrollY);
    if (attemptLogin(page))
        return;

    const QDateTime moment = m_clock.now();
    startSample(moment);
    bool statisticsPage = false;
    if (m_settings.type() == RouterType::TypeA)
        statisticsPage = recogniseTypeA(documentUrl, page);
    else if (m_settings.type() == RouterType::TypeB)
        statisticsPage = acceptTypeB(documentUrl, page);
    // The read-outs are cleared for every sample and filled from a
    // statistics page; shown once, with what this page gave.
    emit readoutsChanged(m_readouts);
    m_lastLoadWasSample = statisticsPage;

    m_pipeline.run(buildLoad(moment, statisticsPage));
    TrimWorkingSet();
}

PageLoad RouterNavigation::buildLoad(const QDateTime &moment, bool statisticsPage) const
{
    PageLoad load(m_sample, moment, statisticsPage, m_cycle.runState() == RunState::Running);
    const LoadContext context = m_loadContext ? m_loadContext() : LoadContext();
    // The plot step plots every sample.
    load.plotCount = context.plotCount + (load.isSample() ? 1 : 0);
    load.pageLength = context.pageLength;
    // The uptime read-out is left from the last statistics page on others.
    if (statisticsPage)
        load.uptimeSeconds = UptimeSeconds(m_sample.uptimeText);
    const ReaderOptions options = m_settings.readerOptions();
    load.user1 = options.user1;
    load.user2 = options.user2;
    return load;
}

bool RouterNavigation::failedLoginPage(const QString &page)
{
    if (!ContainsFromThird(page, u"incorrect") && !ContainsFromThird(page, u"Your password hint"))
        return false;
    m_view.stop();
    emit routerPageWanted();
    return true;
}

bool RouterNavigation::loginPromptWhileStopped(const QString &page)
{
    if (m_cycle.runState() != RunState::Stopped || !ContainsFromThird(page, u"enter your admin password"))
        return false;
    emit routerPageWanted();
    return true;
}

bool RouterNavigation::attemptLogin(const QString &page)
{
    if (!m_settings.attemptLogin() || m_urls.navigationUrl.isEmpty()
        || !ContainsFromThird(page, u"name=password_"))
        return false;
    // A page without the form, the field or the link is left as it is.
    if (WebFormSetFieldValue(m_view, 0, LoginFieldName(page), m_settings.password())) {
        const auto document = m_view.document();
        if (document && document->linkCount > LoginLinkIndex) {
            m_loginNavigationDue = true;
            m_view.clickLink(LoginLinkIndex);
        }
    }
    return true;
}

void RouterNavigation::startSample(const QDateTime &moment)
{
    m_readouts.clear();
    StartLogLine(m_sample, moment, m_settings.logDateFormat());
    emit cursorRestored();
}

// Sampling starts by itself on the first statistics page only; after that
// only the user, the automatic resume or a paging button starts it.
void RouterNavigation::startOnce()
{
    if (m_autoStarted)
        return;
    m_cycle.btnRunClick();
    m_autoStarted = true;
}

bool RouterNavigation::recogniseTypeA(const QString &documentUrl, const QString &page)
{
    if (!page.contains(u"ADSL Settings"))
        return false;
    m_urls.navigationUrl = LearnTypeAUrl(documentUrl);
    emit statisticsPageConfirmed(m_urls.navigationUrl);
    m_settings.setStatisticsPath(RouterType::TypeA, RemoveFirst(m_urls.navigationUrl, routerRoot()));
    m_urls.learnedUrl = m_urls.navigationUrl;
    startOnce();
    BTHomeHub3A(page, m_settings.readerOptions(), m_sample, m_readouts);
    TrimWorkingSet();
    m_view.stop();
    return true;
}

bool RouterNavigation::acceptTypeB(const QString &documentUrl, const QString &page)
{
    emit statisticsPageConfirmed(m_urls.navigationUrl);
    m_urls.learnedUrl = m_urls.navigationUrl;
    m_settings.setStatisticsPath(RouterType::TypeB, RemoveFirst(m_urls.navigationUrl, routerRoot()));
    startOnce();
    if (!SameUrl(documentUrl, m_urls.navigationUrl))
        return false;
    const bool wasRead = m_sample.pageRead;
    m_sample.pageRead = false;
    BTHomeHub3B(page, m_settings.readerOptions(), m_sample, m_readouts);
    const bool readNow = m_sample.pageRead;
    m_sample.pageRead = wasRead || readNow;
    return readNow;
}

void RouterNavigation::WebBrowser1BeforeNavigate2(const QString &url, bool *cancel)
{
    if (!m_view.document())
        return;
    // The login the program submits itself goes through even while sampling
    // runs, so a router that forgot the session mid-run is logged in again;
    // that one navigation only, not the user's clicks or the page's scripts.
    const bool ownLogin = m_loginNavigationDue;
    m_loginNavigationDue = false;
    const bool block
        = m_cycle.runState() == RunState::Running && !ownLogin && !SameUrl(url, m_urls.navigationUrl);
    if (cancel)
        *cancel = block;
    emit navigationHintChanged(block);
    m_cycle.setHintTimerActive(block);
}
