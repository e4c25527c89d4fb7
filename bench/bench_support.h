#pragma once

// What the benchmarks share: a browser view that does nothing (and shows a
// fixed document when given one) and a clock that moves on by a sample.
#include "base/clock.h"
#include "sampling/browser_view.h"

class QuietBrowserView final : public BrowserView {
public:
    void navigate(const QString &, int) override { }
    void reload() override { }
    void stop() override { }
    void setSilent(bool) override { }
    void ensureWindow() override { }
    std::optional<DocumentSnapshot> document() const override { return snapshot; }
    void setFormFieldValue(int, const QString &, const QString &) override { }
    void clickLink(int) override { }
    void scrollBy(int, int) override { }
    void selectAll() override { }
    QString selectedText() const override { return {}; }

    std::optional<DocumentSnapshot> snapshot;
};

class SteppingClock final : public Clock {
public:
    explicit SteppingClock(const QDateTime &start = QDateTime(QDate(2026, 12, 9), QTime(10, 0, 0), Qt::UTC))
        : m_now(start)
    {
    }
    QDateTime now() const override { return m_now; }
    // Thirty seconds on: the next sample.
    void step() { m_now = m_now.addSecs(30); }

private:
    QDateTime m_now;
};
