#pragma once

#include "sampling/browser_view.h"

#include <QList>
#include <QPoint>

// A browser view without an engine: it records what the program asks of
// it, and the test hands it the documents that "complete".
class FakeBrowserView final : public BrowserView {
public:
    struct Navigation {
        QString url;
        int flags = 0;
    };
    struct FieldValue {
        int formIndex = 0;
        QString name;
        QString value;
    };

    FakeBrowserView() = default;

    // Shows document and raises documentComplete, as a finished load does.
    void complete(const DocumentSnapshot &document);
    // Raises documentComplete again for the document already shown (a frame
    // of it completing).
    void completeFrame();
    // A navigation the page itself starts (a link click): true when it goes ahead.
    bool requestNavigation(const QString &url);

    void navigate(const QString &url, int flags) override;
    void reload() override { ++reloads; }
    void stop() override { ++stops; }
    void setSilent(bool on) override { silent = on; }
    void ensureWindow() override { windowEnsured = true; }
    std::optional<DocumentSnapshot> document() const override { return m_document; }
    void setFormFieldValue(int formIndex, const QString &fieldName, const QString &value) override;
    void clickLink(int index) override { clickedLinks.append(index); }
    void scrollBy(int x, int y) override { scrolls.append(QPoint(x, y)); }
    void selectAll() override { ++selectAlls; }
    QString selectedText() const override { return selection; }

    QList<Navigation> navigations;
    QList<FieldValue> fieldValues;
    QList<int> clickedLinks;
    QList<QPoint> scrolls;
    int reloads = 0;
    int stops = 0;
    int selectAlls = 0;
    bool silent = false;
    bool windowEnsured = false;
    QString selection;
    // Navigations the guard let through (program's and page's own).
    QList<QString> allowed;

private:
    std::optional<DocumentSnapshot> m_document;
};

// A document as the fake shows it.
DocumentSnapshot FakeDocument(const QString &url, const QString &bodyHtml);

// A Type A login page: a first form with the field password_<digits> and
// nine links, the last of which submits it.
DocumentSnapshot FakeLoginPage(const QString &url, const QString &digits);
