#pragma once

#include "sampling/browser_view.h"
#include "sampling/process_memory.h"

#include <QImage>
#include <QPointer>

class QWebEngineProfile;
class QWebEngineView;
class QWidget;
class RouterWebPage;

// The browser view on Qt WebEngine. Document access is asynchronous there,
// so when a document completes one script call takes a snapshot of it
// (URL, body HTML, forms, links) and documentComplete is raised with that
// snapshot in place.
class WebEngineBrowserView final : public BrowserView {
    Q_OBJECT

public:
    // The view's widget is created as a child of parent.
    explicit WebEngineBrowserView(QWidget *parent);
    ~WebEngineBrowserView() override;
    Q_DISABLE_COPY_MOVE(WebEngineBrowserView)

    QWidget *widget() const;

    void navigate(const QString &url, int flags) override;
    void reload() override;
    void stop() override;
    void setSilent(bool silent) override;
    void ensureWindow() override;
    std::optional<DocumentSnapshot> document() const override;
    void setFormFieldValue(int formIndex, const QString &fieldName, const QString &value) override;
    void clickLink(int index) override;
    void scrollBy(int x, int y) override;
    void selectAll() override;
    QString selectedText() const override;

    // The page as it shows now, drawn into an image.
    QImage draw() const;

private:
    void stopStuckLoad();
    void takeSnapshot();
    void storeSnapshot(const QVariant &result);
    bool allowNavigation(const QUrl &url);
    void runScript(const QString &script);
    void endRenderer();

    QWebEngineProfile *m_profile = nullptr; // child of this
    QPointer<QWebEngineView> m_view; // child of the parent widget
    RouterWebPage *m_page = nullptr; // child of the profile owner
    std::optional<DocumentSnapshot> m_document;
    bool m_loading = false;
    quint64 m_loadNumber = 0; // loads started so far
    quint64 m_loadAtLastNavigation = 0; // m_loadNumber at the last navigate/reload
    AnonymousResidentReader m_rendererMemory; // the page renderer's size
    bool m_probePending = false; // the renderer has not answered the last question yet
    int m_navigationsSinceProbe = 0; // navigations since that question
    bool m_answeredSinceNavigation = false; // a snapshot came back since the last navigation
};
