#pragma once

#include "outputs/maintenance.h"

#include <QObject>
#include <QString>
#include <QTimer>

class Clock;
class SampleLog;
class Settings;

// The log trim and the deletion of old captured images, run at once on
// request or every day at their set minutes. A timer checks the schedule
// once a minute for as long as this object lives, whatever sampling does;
// each check falls just after a minute begins, so a tick that comes late
// still lands in its own minute and no minute of the day goes unchecked.
// The settings are read at the moment of each run, so a change takes effect
// at the next check.
class DailyMaintenance final : public QObject {
    Q_OBJECT

public:
    static constexpr int IntervalMs = 60000;
    // How far into its minute a check falls.
    static constexpr int MinuteOffsetMs = 500;

    DailyMaintenance(const Settings &settings, SampleLog &log, const Clock &clock, QObject *parent = nullptr);
    Q_DISABLE_COPY_MOVE(DailyMaintenance)

    bool timerActive() const { return m_timer.isActive(); }
    // The time until the next check: at most a minute and a half second.
    int timerInterval() const { return m_timer.interval(); }

    // The daily check: trims the log when its minute has come, then deletes
    // old images when theirs has; each job runs at most once in its minute.
    // The first check of each day calls for the history's upkeep.
    void DailyTimerTimer();
    // Trims every file the maintenance keeps short; false when one could not
    // be trimmed (trimFailed told why).
    bool trimNow();
    // Deletes the old captured images; the number deleted.
    int deleteNow();

signals:
    // A trim could not read or write its file; the text says why.
    void trimFailed(const QString &error);
    // Once a day, whatever the log settings: time to trim the history to
    // its days, or to try again to open one that could not be kept.
    void historyDue();

private:
    void scheduleNextCheck();
    bool trimFile(const QString &path, SampleLog &log);

    const Settings &m_settings;
    SampleLog &m_log;
    const Clock &m_clock;
    DailySchedule m_schedule;
    QTimer m_timer;
};

// The text under the deletion settings that says which files go: "All .jpg
// files", with " with the prefix: '<prefix>'" while the prefix is in use,
// then " older than <days> days will be deleted from folder: <folder>". The
// text put up as the window opens writes "ALL" when a prefix is in use.
QString DeleteInformationText(
    bool opening, bool addPrefix, const QString &prefix, int days, const QString &folder);
