#include "outputs/daily_maintenance.h"

#include "base/settings.h"
#include "outputs/line_events_log.h"
#include "outputs/sample_log.h"
#include "support/fake_clock.h"
#include "support/qt_printers.h"
#include "support/temp_data_dir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <gtest/gtest.h>

namespace {

// Both jobs set for 10:00; a log of ten data lines trimmed to two, and one
// captured image a month old.
class DailyMaintenanceTest : public ::testing::Test {
protected:
    DailyMaintenanceTest()
    {
        settings.setText(SettingKey::LogFile, dir.filePath(QStringLiteral("log.txt")));
        settings.setText(SettingKey::Capture, dir.filePath(QStringLiteral("Capture")));
        settings.setInteger(SettingKey::TrimLines, 2);
        settings.setText(SettingKey::TrimTime, QStringLiteral("10:00"));
        settings.setTime(SettingKey::DeleteTime, QTime(10, 0, 40));
        settings.setFlag(SettingKey::Recycle, false);
    }

    void writeFiles() const
    {
        QByteArray log = "Head\r\n----\r\n";
        for (int i = 1; i <= 10; ++i)
            log += "d" + QByteArray::number(i) + "\r\n";
        ASSERT_TRUE(dir.writeFile(QStringLiteral("log.txt"), log));
        ASSERT_TRUE(dir.writeFile(imageName, "jpeg"));
        QFile image(dir.filePath(imageName));
        ASSERT_TRUE(image.open(QIODevice::ReadWrite));
        ASSERT_TRUE(image.setFileTime(clock.now().addDays(-30), QFileDevice::FileModificationTime));
    }
    bool logTrimmed() const { return dir.readFile(QStringLiteral("log.txt")).count('\n') == 4; }
    bool imageLeft() const { return QFileInfo::exists(dir.filePath(imageName)); }

    TempDataDir dir;
    FakeClock clock { QDateTime(QDate(2026, 12, 9), QTime(10, 0, 20)) };
    Settings settings { SettingsContext { dir.path(), &clock, QRect(), QLocale::c() } };
    SampleLog log;
    DailyMaintenance maintenance { settings, log, clock };
    const QString imageName = QStringLiteral("Capture/Wardn-old.jpg");
};

TEST_F(DailyMaintenanceTest, EachJobRunsWhenOnAndItsMinuteHasCome)
{
    // Created at 10:00:20, the first check falls at 10:01:00.5; each check
    // sets the next just after the following minute begins.
    EXPECT_TRUE(maintenance.timerActive());
    EXPECT_EQ(maintenance.timerInterval(), 40500);
    clock.set(QDateTime(QDate(2026, 12, 9), QTime(10, 1, 1, 700)));
    maintenance.DailyTimerTimer();
    EXPECT_EQ(maintenance.timerInterval(), 58800);
    const struct {
        const char *name;
        bool trimOn;
        const char *trimTime;
        bool deleteOn;
        QTime now;
        bool trimmed;
        bool deleted;
    } rows[] = {
        { "both due", true, "10:00", true, QTime(10, 0, 59), true, true },
        { "trim off", false, "10:00", true, QTime(10, 0, 0), false, true },
        { "delete off", true, "10:00", false, QTime(10, 0, 30), true, false },
        { "a minute late: not caught up", true, "10:00", true, QTime(10, 1, 0), false, false },
        { "the minute before", true, "10:00", true, QTime(9, 59, 59), false, false },
        { "the same minute of another hour", true, "10:00", true, QTime(11, 0, 10), false, false },
        { "its hour at another minute", true, "10:00", true, QTime(10, 30, 0), false, false },
        { "another set time", true, "23:59", false, QTime(23, 59, 1), true, false },
        { "set time at another hour", true, "21:00", true, QTime(10, 0, 2), false, true },
        { "unreadable trim time", true, "half past", true, QTime(10, 0, 5), false, true },
    };
    int day = 0;
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        writeFiles();
        settings.setFlag(SettingKey::TrimLog, row.trimOn);
        settings.setText(SettingKey::TrimTime, QString::fromLatin1(row.trimTime));
        settings.setFlag(SettingKey::DeleteImages, row.deleteOn);
        clock.set(QDateTime(QDate(2026, 12, 10).addDays(++day), row.now));
        maintenance.DailyTimerTimer();
        EXPECT_EQ(logTrimmed(), row.trimmed);
        EXPECT_EQ(imageLeft(), !row.deleted);
    }
}

// The trim takes the events file beside the log only when this program
// started it (its first line is the events header), and never one found
// through an empty or relative log path: that would be the working
// folder's.
TEST_F(DailyMaintenanceTest, TrimsOnlyOurOwnEventsFileBesideTheLog)
{
    const QByteArray header = LineEventsHeader().toUtf8();
    const QByteArray ours = header + "\r\n" + QByteArray(header.size(), '-') + "\r\ne1\r\ne2\r\ne3\r\n";
    const QByteArray foreign = "Notes\r\n-----\r\nn1\r\nn2\r\nn3\r\n";
    const struct {
        const char *name;
        QString logFile;
        QByteArray events;
        bool trimmed;
    } rows[] = {
        { "ours beside the log", dir.filePath(QStringLiteral("log.txt")), ours, true },
        { "someone else's beside the log", dir.filePath(QStringLiteral("log.txt")), foreign, false },
        { "empty log box", QString(), ours, false },
        { "relative log path", QStringLiteral("log.txt"), ours, false },
    };
    const QString working = QDir::currentPath();
    const auto restore = qScopeGuard([&working] { QDir::setCurrent(working); });
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(dir.writeFile(QStringLiteral("events.txt"), row.events));
        settings.setText(SettingKey::LogFile, row.logFile);
        maintenance.trimNow();
        const QByteArray after = dir.readFile(QStringLiteral("events.txt"));
        EXPECT_EQ(after.count('\n'), row.trimmed ? 4 : 5);
        EXPECT_TRUE(after.startsWith(row.events.left(row.events.indexOf('\n'))));
    }
}

// At the same minute the trim comes first: when it fails, its error is told
// before any image has gone.
TEST_F(DailyMaintenanceTest, TrimFailureIsToldBeforeTheDeletionRuns)
{
    writeFiles();
    settings.setText(SettingKey::LogFile, dir.path()); // a folder: it cannot be read as a log
    settings.setFlag(SettingKey::TrimLog, true);
    settings.setFlag(SettingKey::DeleteImages, true);
    QStringList errors;
    bool imageThenLeft = false;
    QObject::connect(&maintenance, &DailyMaintenance::trimFailed, [&](const QString &error) {
        errors << error;
        imageThenLeft = imageLeft();
    });
    maintenance.DailyTimerTimer();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_FALSE(errors[0].isEmpty());
    EXPECT_TRUE(imageThenLeft);
    EXPECT_FALSE(imageLeft());
    EXPECT_FALSE(log.trimBusy());
    EXPECT_FALSE(maintenance.trimNow()); // "Trim Now" takes the same way
    EXPECT_EQ(errors.size(), 2);
}

} // namespace
