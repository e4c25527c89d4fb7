#include "outputs/daily_maintenance.h"

#include "base/clock.h"
#include "base/settings.h"
#include "outputs/line_events_log.h"
#include "outputs/output_settings.h"

DailyMaintenance::DailyMaintenance(
    const Settings &settings, SampleLog &log, const Clock &clock, QObject *parent)
    : QObject(parent), m_settings(settings), m_log(log), m_clock(clock)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &DailyMaintenance::DailyTimerTimer);
    scheduleNextCheck();
}

// A fixed 60 s interval drifts against the minutes of the clock: a tick a
// little late would skip a whole minute, and with it that day's job. The
// next check is set just after the next minute begins instead.
void DailyMaintenance::scheduleNextCheck()
{
    const QTime now = m_clock.now().time();
    const int intoMinute = now.second() * 1000 + now.msec();
    m_timer.start(IntervalMs - intoMinute + MinuteOffsetMs);
}

void DailyMaintenance::DailyTimerTimer()
{
    scheduleNextCheck();
    const DailySchedule::Due due
        = m_schedule.check(m_clock.now(), m_settings.flag(SettingKey::TrimLog), m_settings.trimTimeOfDay(),
            m_settings.flag(SettingKey::DeleteImages), m_settings.time(SettingKey::DeleteTime));
    if (due.trimLog)
        trimNow();
    if (due.deleteImages)
        deleteNow();
    if (due.history)
        emit historyDue();
}

// The one place that names the files the trim keeps short: the log, and
// the events file beside it, which keeps as many lines.
bool DailyMaintenance::trimNow()
{
    const QString logPath = OutputSettings(m_settings).logFile();
    const bool logTrimmed = trimFile(logPath, m_log);
    const TrimOutcome events = TrimLineEvents(logPath, m_settings.integer(SettingKey::TrimLines));
    if (!events.ok)
        emit trimFailed(events.error);
    return logTrimmed && events.ok;
}

bool DailyMaintenance::trimFile(const QString &path, SampleLog &log)
{
    const TrimOutcome outcome = TrimLog(path, m_settings.integer(SettingKey::TrimLines), log);
    if (!outcome.ok)
        emit trimFailed(outcome.error);
    return outcome.ok;
}

int DailyMaintenance::deleteNow()
{
    DeleteRequest request;
    request.folder = OutputSettings(m_settings).captureFolder();
    request.days = m_settings.integer(SettingKey::DeleteDays);
    request.addPrefix = m_settings.flag(SettingKey::AddPrefix);
    request.prefix = m_settings.text(SettingKey::ImagePrefix);
    request.recycle = m_settings.flag(SettingKey::Recycle);
    return DeleteFiles(request, m_clock);
}

QString DeleteInformationText(
    bool opening, bool addPrefix, const QString &prefix, int days, const QString &folder)
{
    QString text = opening && addPrefix ? QStringLiteral("ALL .jpg files") : QStringLiteral("All .jpg files");
    if (addPrefix)
        text += QStringLiteral(" with the prefix: '") + prefix + u'\'';
    return text + QStringLiteral(" older than ") + QString::number(days)
        + QStringLiteral(" days will be deleted from folder: ") + folder;
}
