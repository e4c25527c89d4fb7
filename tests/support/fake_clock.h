#pragma once

#include "base/clock.h"

// A clock the test sets and moves by hand.
class FakeClock final : public Clock {
public:
    explicit FakeClock(const QDateTime &start = QDateTime(QDate(2026, 12, 9), QTime(10, 0, 0)));

    QDateTime now() const override { return m_now; }

    void set(const QDateTime &moment) { m_now = moment; }
    void advanceSeconds(qint64 seconds) { m_now = m_now.addSecs(seconds); }
    void advanceMSecs(qint64 msecs) { m_now = m_now.addMSecs(msecs); }

private:
    QDateTime m_now;
};
