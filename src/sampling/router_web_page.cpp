#include "sampling/router_web_page.h"

RouterWebPage::RouterWebPage(QWebEngineProfile *profile, QObject *parent)
    : QWebEnginePage(profile, parent) { }

bool RouterWebPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    // A reload or a server's redirect is not a navigation of the view's own:
    // the page stays where it was asked to be. Frames load with their page.
    if (!isMainFrame || type == NavigationTypeReload || type == NavigationTypeRedirect || !m_gate)
        return true;
    return m_gate(url);
}

void RouterWebPage::javaScriptAlert(const QUrl &securityOrigin, const QString &msg)
{
    if (!m_silent)
        QWebEnginePage::javaScriptAlert(securityOrigin, msg);
}

bool RouterWebPage::javaScriptConfirm(const QUrl &securityOrigin, const QString &msg)
{
    return m_silent ? false : QWebEnginePage::javaScriptConfirm(securityOrigin, msg);
}

bool RouterWebPage::javaScriptPrompt(
    const QUrl &securityOrigin, const QString &msg, const QString &defaultValue, QString *result)
{
    return m_silent ? false : QWebEnginePage::javaScriptPrompt(securityOrigin, msg, defaultValue, result);
}

void RouterWebPage::javaScriptConsoleMessage(
    JavaScriptConsoleMessageLevel, const QString &, int, const QString &)
{
    // The router's own script messages are of no interest here.
}
