#include "sampling/webengine_browser_view.h"

#include "sampling/router_web_page.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QUrl>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <csignal>
#include <sys/types.h>
#include <utility>

namespace {

// A router page is a few tens of kilobytes; a body beyond this is cut so a
// runaway page cannot swamp the program.
constexpr int MaxBodyCharacters = 4 * 1024 * 1024;

// A renderer showing router pages fills some 20 MiB of its own; one that
// holds more than this has parsed a runaway page.
constexpr qint64 MaxRendererAnonymousKiB = 128 * 1024;

// Our scripts run in the page's own world. A world apart from the page's
// scripts costs a fresh script context in every document it touches: with
// the snapshot taken of every page loaded, that was about a fifth of what
// the engine spends on a sample. The scripts only read the document and
// fill in or follow what the page itself offers, so sharing its world
// gives the page nothing it did not have.
constexpr quint32 ScriptWorld = QWebEngineScript::MainWorld;

// The snapshot of the document. The mark in the script's own world tells a
// new document from one already seen (a stopped load leaves the old one).
QString SnapshotScript()
{
    return QStringLiteral("(function () {"
                          "  var fresh = !window.__linewardenSeen; window.__linewardenSeen = true;"
                          "  var forms = [];"
                          "  for (var i = 0; i < document.forms.length; ++i) {"
                          "    var f = document.forms[i], els = [];"
                          "    for (var j = 0; j < f.elements.length; ++j) {"
                          "      var e = f.elements[j];"
                          "      els.push([String(e.name || ''), String(e.tagName || '')]);"
                          "    }"
                          "    forms.push(els);"
                          "  }"
                          "  var body = document.body ? document.body.innerHTML : '';"
                          "  return { fresh: fresh, url: String(document.URL), cut: body.length > %1,"
                          "           body: body.length > %1 ? body.substring(0, %1) : body,"
                          "           forms: forms, links: document.links.length };"
                          "})()")
        .arg(MaxBodyCharacters);
}

// Text as a JavaScript literal.
QString ScriptLiteral(const QString &text)
{
    const QByteArray json = QJsonDocument(QJsonArray { text }).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(json.mid(1, json.size() - 2));
}

FormSnapshot ToForm(const QVariant &value)
{
    FormSnapshot form;
    const QVariantList elements = value.toList();
    for (const QVariant &element : elements) {
        const QVariantList pair = element.toList();
        if (pair.size() == 2)
            form.elements.append({ pair.at(0).toString(), pair.at(1).toString().toUpper() });
    }
    return form;
}

} // namespace

WebEngineBrowserView::WebEngineBrowserView(QWidget *parent)
    : m_profile(new QWebEngineProfile(this)), m_view(new QWebEngineView(parent))
{
    // An own profile kept in memory and without an HTTP cache: every page
    // is fetched from the router, never read from or written to a cache.
    m_profile->setHttpCacheType(QWebEngineProfile::NoCache);
    m_profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    m_page = new RouterWebPage(m_profile, m_view);
    m_page->setNavigationGate([this](const QUrl &url) { return allowNavigation(url); });
    m_view->setPage(m_page);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    m_page->settings()->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);

    // A renderer that ended, whatever ended it, answers nothing more.
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this, [this] { m_probePending = false; });
    connect(m_page, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &info) {
        m_loading = info.status() == QWebEngineLoadingInfo::LoadStartedStatus;
        if (m_loading)
            ++m_loadNumber;
        // A stopped load completes no document; a failed one shows
        // the engine's error page, which is a document like any other.
        if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus
            || info.status() == QWebEngineLoadingInfo::LoadFailedStatus)
            takeSnapshot();
        // A renderer that has just finished a page is not hung, even if a
        // question put to it was lost (one put while a fresh renderer was
        // taking over goes unanswered) or waits behind a long layout.
        if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus)
            m_probePending = false;
    });
}

WebEngineBrowserView::~WebEngineBrowserView()
{
    // The page must go before the profile it belongs to.
    if (m_view) {
        m_view->setPage(nullptr);
        delete m_page;
    }
}

QWidget *WebEngineBrowserView::widget() const
{
    return m_view;
}

void WebEngineBrowserView::navigate(const QString &url, int flags)
{
    Q_UNUSED(flags); // the profile never caches, so every flag is honoured
    stopStuckLoad();
    m_page->load(QUrl(url, QUrl::TolerantMode));
}

void WebEngineBrowserView::reload()
{
    stopStuckLoad();
    m_page->triggerAction(QWebEnginePage::ReloadAndBypassCache);
}

void WebEngineBrowserView::stop()
{
    m_page->triggerAction(QWebEnginePage::Stop);
}

void WebEngineBrowserView::setSilent(bool silent)
{
    m_page->setSilent(silent);
}

void WebEngineBrowserView::ensureWindow()
{
    // The engine loads pages whether or not its widget is shown.
}

std::optional<DocumentSnapshot> WebEngineBrowserView::document() const
{
    return m_document;
}

void WebEngineBrowserView::setFormFieldValue(int formIndex, const QString &fieldName, const QString &value)
{
    runScript(QStringLiteral("(function () { var f = document.forms[%1];"
                             " var e = f && f.elements.namedItem(%2);"
                             " if (e && e.tagName === 'INPUT') e.value = %3; })()")
                  .arg(formIndex)
                  .arg(ScriptLiteral(fieldName), ScriptLiteral(value)));
}

void WebEngineBrowserView::clickLink(int index)
{
    runScript(QStringLiteral("(function () { var l = document.links[%1]; if (l) l.click(); })()").arg(index));
}

void WebEngineBrowserView::scrollBy(int x, int y)
{
    runScript(QStringLiteral("window.scrollBy(%1, %2)").arg(x).arg(y));
}

void WebEngineBrowserView::selectAll()
{
    m_page->triggerAction(QWebEnginePage::SelectAll);
}

QString WebEngineBrowserView::selectedText() const
{
    return m_page->selectedText();
}

QImage WebEngineBrowserView::draw() const
{
    return m_view ? m_view->grab().toImage() : QImage();
}

void WebEngineBrowserView::stopStuckLoad()
{
    // A page the router never finishes holds later navigations back: the
    // engine does not give it up by itself. A load still going on at two
    // navigations in a row is taken as stuck and ended. A load that is only
    // slow is left alone, so a quick succession of navigations still ends
    // in a page.
    // Its renderer goes with it: what it parsed of the page so far (a
    // runaway page can be hundreds of megabytes) stays held otherwise.
    if (m_loading && m_loadNumber == m_loadAtLastNavigation) {
        m_page->triggerAction(QWebEnginePage::Stop);
        endRenderer();
        m_loadAtLastNavigation = m_loadNumber;
        return;
    }
    m_loadAtLastNavigation = m_loadNumber;

    // A renderer keeps what a runaway page made it hold long after the
    // page is gone. Its snapshot ends it (see storeSnapshot), but one that
    // did not come back before the next navigation (the page took longer
    // than the sample interval) would leave it so for good: a renderer
    // found overgrown between pages is ended, and the next load starts a
    // fresh one.
    if (m_rendererMemory.read(m_page->renderProcessPid()).value_or(0) > MaxRendererAnonymousKiB) {
        endRenderer();
        return;
    }

    // A page script that never returns holds the page's renderer process,
    // and with it every later page of the same router: the engine neither
    // stops it nor starts another process by itself. Every navigation asks
    // the renderer a trivial question; one still unanswered two navigations
    // later means it is hung, and it is ended. The next load starts a fresh
    // renderer.
    // The question is put again only to the renderer that takes over: one
    // put to the process being ended is never answered, and would have the
    // fresh renderer ended in turn before it could load anything.
    if (m_probePending && ++m_navigationsSinceProbe >= 2) {
        endRenderer();
        return;
    }
    // A renderer that answered the snapshot of a page since the last
    // navigation was not hung then: no question this time, which spares
    // the renderer a script run on every sample.
    const bool answered = std::exchange(m_answeredSinceNavigation, false);
    if (!m_probePending && !answered) {
        m_probePending = true;
        m_navigationsSinceProbe = 0;
        const QPointer<WebEngineBrowserView> self(this);
        m_page->runJavaScript(QStringLiteral("0"), ScriptWorld, [self](const QVariant &) {
            if (self)
                self->m_probePending = false;
        });
    }
}

void WebEngineBrowserView::takeSnapshot()
{
    const QPointer<WebEngineBrowserView> self(this);
    m_page->runJavaScript(SnapshotScript(), ScriptWorld, [self](const QVariant &result) {
        if (!self)
            return;
        self->m_answeredSinceNavigation = true;
        self->storeSnapshot(result);
    });
}

void WebEngineBrowserView::storeSnapshot(const QVariant &result)
{
    const QVariantMap map = result.toMap();
    if (map.isEmpty() || !map.value(QStringLiteral("fresh")).toBool())
        return;
    DocumentSnapshot snapshot;
    snapshot.url = map.value(QStringLiteral("url")).toString();
    snapshot.bodyHtml = map.value(QStringLiteral("body")).toString();
    const QVariantList forms = map.value(QStringLiteral("forms")).toList();
    for (const QVariant &form : forms)
        snapshot.forms.append(ToForm(form));
    snapshot.linkCount = map.value(QStringLiteral("links")).toInt();
    m_document = std::move(snapshot);
    emit documentComplete();
    // A runaway page leaves its renderer holding hundreds of megabytes long
    // after the next page replaced it; ending the renderer gives them back
    // at once, and the next load starts a fresh one.
    if (map.value(QStringLiteral("cut")).toBool())
        endRenderer();
}

void WebEngineBrowserView::endRenderer()
{
    const qint64 pid = m_page->renderProcessPid();
    if (pid > 0)
        ::kill(pid_t(pid), SIGKILL);
    m_probePending = false;
    m_answeredSinceNavigation = false;
    // The load goes with its renderer, and the engine does not always say
    // so. Left marked as loading, the next load (which reports its start
    // only once a fresh renderer has taken it up) would be taken for the
    // stuck one and ended in turn, again and again.
    m_loading = false;
}

bool WebEngineBrowserView::allowNavigation(const QUrl &url)
{
    bool cancel = false;
    emit beforeNavigate(url.toString(QUrl::FullyEncoded), &cancel);
    return !cancel;
}

void WebEngineBrowserView::runScript(const QString &script)
{
    m_page->runJavaScript(script, ScriptWorld);
}
