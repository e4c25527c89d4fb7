#pragma once

#include <QWebEnginePage>

#include <functional>

// The browser page the router's pages load in: it asks before every
// navigation of the top-level document and shows no script dialogs while
// silent.
class RouterWebPage final : public QWebEnginePage {
    Q_OBJECT

public:
    // Answers whether a navigation may go ahead.
    using NavigationGate = std::function<bool(const QUrl &url)>;

    RouterWebPage(QWebEngineProfile *profile, QObject *parent);
    Q_DISABLE_COPY_MOVE(RouterWebPage)

    void setNavigationGate(NavigationGate gate) { m_gate = std::move(gate); }
    void setSilent(bool silent) { m_silent = silent; }

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    void javaScriptAlert(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptConfirm(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptPrompt(const QUrl &securityOrigin, const QString &msg, const QString &defaultValue,
        QString *result) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message, int lineNumber,
        const QString &sourceID) override;

private:
    NavigationGate m_gate;
    bool m_silent = false;
};
