#pragma once

#include "sampling/document_snapshot.h"

#include <QObject>
#include <QString>

#include <optional>

// The embedded browser as sampling uses it: exactly these operations and
// two events. The real one sits on Qt WebEngine; tests use a fake.
class BrowserView : public QObject {
    Q_OBJECT

public:
    // Navigation flags; NavNoCache (14) is what the initial navigation uses.
    enum NavigateFlag {
        NavNoHistory = 2,
        NavNoReadFromCache = 4,
        NavNoWriteToCache = 8,
        NavNoCache = NavNoHistory | NavNoReadFromCache | NavNoWriteToCache,
    };

    explicit BrowserView(QObject *parent = nullptr) : QObject(parent) { }
    ~BrowserView() override = default;
    Q_DISABLE_COPY_MOVE(BrowserView)

    // Starts loading url and returns at once; the page ends in documentComplete.
    virtual void navigate(const QString &url, int flags) = 0;
    // Fetches the current page again, never from the cache.
    virtual void reload() = 0;
    // Ends the loading of the current page.
    virtual void stop() = 0;
    // No dialogs of the engine's own (script alerts and the like).
    virtual void setSilent(bool silent) = 0;
    // Makes sure the view can navigate while its tab is not shown.
    virtual void ensureWindow() = 0;

    // The document shown, as taken when it completed; nothing when there is
    // no document yet.
    virtual std::optional<DocumentSnapshot> document() const = 0;

    // Sets the value of the element named fieldName in form formIndex.
    virtual void setFormFieldValue(int formIndex, const QString &fieldName, const QString &value) = 0;
    // Clicks the link at index (0-based) of the document's links.
    virtual void clickLink(int index) = 0;
    virtual void scrollBy(int x, int y) = 0;
    virtual void selectAll() = 0;
    virtual QString selectedText() const = 0;

signals:
    // Raised once for every completed document; document() then holds it.
    void documentComplete();
    // Raised before every navigation of the view; a receiver (connected
    // directly) sets *cancel to stop it.
    void beforeNavigate(const QString &url, bool *cancel);
};

// Puts value into the INPUT element named fieldName of form formIndex of the
// shown document; does nothing when there is no such form or element, or the
// element is not an INPUT. Returns whether the value was set.
bool WebFormSetFieldValue(BrowserView &view, int formIndex, const QString &fieldName, const QString &value);
