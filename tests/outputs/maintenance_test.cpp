#include "outputs/maintenance.h"

#include "outputs/sample_log.h"
#include "support/fake_clock.h"
#include "support/qt_printers.h"
#include "support/temp_data_dir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

class TrimLogTest : public ::testing::Test {
protected:
    QString path() const { return dir.filePath(QStringLiteral("log.txt")); }

    // A log with the header pair and lines "d1" .. "dN".
    void writeLog(int dataLines, const QByteArray &middle = {})
    {
        QByteArray bytes = "Head\r\n----\r\n";
        for (int i = 1; i <= dataLines; ++i) {
            bytes += "d" + QByteArray::number(i) + "\r\n";
            if (i == 2)
                bytes += middle;
        }
        ASSERT_TRUE(dir.writeFile(QStringLiteral("log.txt"), bytes));
    }
    QByteArray trimmed(int trimLines)
    {
        const TrimOutcome outcome = TrimLog(path(), trimLines, log);
        EXPECT_TRUE(outcome.ok) << outcome.error.toStdString();
        EXPECT_FALSE(log.trimBusy());
        return dir.readFile(QStringLiteral("log.txt"));
    }

    TempDataDir dir;
    SampleLog log;
};

TEST_F(TrimLogTest, KeepsTheHeaderPairAndTheNewestLines)
{
    writeLog(10);
    EXPECT_EQ(trimmed(3), QByteArray("Head\r\n----\r\nd8\r\nd9\r\nd10\r\n"));
    EXPECT_EQ(trimmed(0), QByteArray("Head\r\n----\r\n"));
}

TEST_F(TrimLogTest, ASecondHeaderPairIsTrimmedLikeData)
{
    writeLog(5, "New head\r\n--------\r\n");
    EXPECT_EQ(trimmed(4), QByteArray("Head\r\n----\r\n--------\r\nd3\r\nd4\r\nd5\r\n"));
}

TEST_F(TrimLogTest, ShortLogsKeepEveryLine)
{
    writeLog(3);
    EXPECT_EQ(trimmed(3), QByteArray("Head\r\n----\r\nd1\r\nd2\r\nd3\r\n")); // exactly TrimLines + 2
    EXPECT_EQ(trimmed(2), QByteArray("Head\r\n----\r\nd2\r\nd3\r\n"));
    EXPECT_EQ(trimmed(1000), QByteArray("Head\r\n----\r\nd2\r\nd3\r\n"));
}

TEST_F(TrimLogTest, NegativeCountKeepsNoDataLines)
{
    writeLog(4);
    EXPECT_EQ(trimmed(-5), QByteArray("Head\r\n----\r\n"));
}

TEST_F(TrimLogTest, EndsEveryLineWithCrLf)
{
    ASSERT_TRUE(dir.writeFile(QStringLiteral("log.txt"), "Head\n----\r\nd1\nd2 \rx\nd3"));
    EXPECT_EQ(trimmed(2), QByteArray("Head\r\n----\r\nd2 \rx\r\nd3\r\n"));
    ASSERT_TRUE(dir.writeFile(QStringLiteral("log.txt"), "Head"));
    EXPECT_EQ(trimmed(2), QByteArray("Head\r\n"));
}

TEST_F(TrimLogTest, MissingLogIsLeftAlone)
{
    EXPECT_TRUE(TrimLog(path(), 10, log).ok);
    EXPECT_FALSE(QFileInfo::exists(path()));
}

TEST_F(TrimLogTest, FailureIsReportedAndClearsTrimBusy)
{
    const TrimOutcome outcome = TrimLog(dir.path(), 10, log); // a folder, not a log
    EXPECT_FALSE(outcome.ok);
    // The error's text, then the file it concerns.
    EXPECT_GT(outcome.error.size(), dir.path().size() + 2);
    EXPECT_TRUE(outcome.error.endsWith(QStringLiteral(": ") + dir.path())) << outcome.error.toStdString();
    EXPECT_FALSE(log.trimBusy());
    EXPECT_TRUE(QFileInfo(dir.path()).isDir());
}

class DeleteFilesTest : public ::testing::Test {
protected:
    DeleteFilesTest()
    {
        request.folder = dir.filePath(QStringLiteral("Capture"));
        request.prefix = QStringLiteral("Wardn-");
        request.recycle = false;
        QDir().mkpath(request.folder);
    }

    // A file in the capture folder last changed at the given moment.
    void image(const QString &name, const QDateTime &changed) const
    {
        QFile file(request.folder + u'/' + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("jpeg");
        file.flush(); // a later flush would change the time again
        ASSERT_TRUE(file.setFileTime(changed, QFileDevice::FileModificationTime));
    }
    QStringList left() const
    {
        return QDir(request.folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    }

    TempDataDir dir;
    FakeClock clock { QDateTime(QDate(2026, 12, 9), QTime(10, 0, 0)) };
    DeleteRequest request;
    QDateTime cutOff = QDateTime(QDate(2026, 12, 4), QTime(10, 0, 0));
};

TEST_F(DeleteFilesTest, DeletesOnlyImagesOlderThanTheCutOff)
{
    image(QStringLiteral("Wardn-old.jpg"), cutOff.addSecs(-1));
    image(QStringLiteral("WARDN-shouty.JPG"), cutOff.addDays(-30));
    image(QStringLiteral("Wardn-exact.jpg"), cutOff);
    image(QStringLiteral("Wardn-future.jpg"), clock.now().addDays(3));
    image(QStringLiteral("other.jpg"), cutOff.addDays(-30));
    image(QStringLiteral("Wardn-old.png"), cutOff.addDays(-30));
    QDir().mkpath(request.folder + QStringLiteral("/Wardn-folder.jpg"));

    EXPECT_EQ(DeleteFiles(request, clock), 2);
    EXPECT_EQ(left(),
        QStringList({ QStringLiteral("other.jpg"), QStringLiteral("Wardn-exact.jpg"),
            QStringLiteral("Wardn-folder.jpg"), QStringLiteral("Wardn-future.jpg"),
            QStringLiteral("Wardn-old.png") }));

    // Without the prefix every old ".jpg" is a candidate, whoever wrote it.
    request.addPrefix = false;
    EXPECT_EQ(DeleteFiles(request, clock), 1);
    EXPECT_FALSE(left().contains(QStringLiteral("other.jpg")));
}

TEST_F(DeleteFilesTest, ZeroOrNegativeDaysDeleteWhatIsOlderThanNow)
{
    image(QStringLiteral("Wardn-a.jpg"), clock.now().addSecs(-1));
    image(QStringLiteral("Wardn-b.jpg"), clock.now());
    request.days = -3;
    EXPECT_EQ(DeleteFiles(request, clock), 1);
    EXPECT_EQ(left(), QStringList { QStringLiteral("Wardn-b.jpg") });
}

TEST_F(DeleteFilesTest, RecyclesIntoTheTrash)
{
    // The trash of a throw-away home, on the same disk as the images.
    const QByteArray oldDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data-home")).toUtf8());
    image(QStringLiteral("Wardn-old.jpg"), cutOff.addDays(-1));
    request.recycle = true;
    EXPECT_EQ(DeleteFiles(request, clock), 1);
    EXPECT_TRUE(left().isEmpty());
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("data-home/Trash/files/Wardn-old.jpg"))));
    qputenv("XDG_DATA_HOME", oldDataHome);
}

TEST_F(DeleteFilesTest, MissingFolderOrFileIsNoFailure)
{
    request.folder = dir.filePath(QStringLiteral("none"));
    EXPECT_EQ(DeleteFiles(request, clock), 0);
    EXPECT_FALSE(GetFileDateTime(dir.filePath(QStringLiteral("none.jpg"))).isValid());
}

TEST(DailySchedule, RunsEachJobOnceInItsMinute)
{
    DailySchedule schedule;
    const QDate day(2026, 12, 9);
    const auto at = [&](int h, int m, int s, const QDate &d) { return QDateTime(d, QTime(h, m, s)); };
    const std::optional<QTime> trimAt = QTime(10, 0);
    const QTime deleteAt(10, 0, 45);

    auto due = schedule.check(at(9, 59, 30, day), true, trimAt, true, deleteAt);
    EXPECT_FALSE(due.trimLog || due.deleteImages);
    due = schedule.check(at(10, 0, 1, day), true, trimAt, true, deleteAt);
    EXPECT_TRUE(due.trimLog && due.deleteImages);
    due = schedule.check(at(10, 0, 58, day), true, trimAt, true, deleteAt); // a second tick in that minute
    EXPECT_FALSE(due.trimLog || due.deleteImages);
    due = schedule.check(at(10, 0, 5, day.addDays(1)), true, trimAt, false, deleteAt);
    EXPECT_TRUE(due.trimLog);
    EXPECT_FALSE(due.deleteImages);

    // A time moved to the current minute runs at the next tick within it.
    due = schedule.check(at(10, 7, 20, day.addDays(1)), true, QTime(10, 7), true, QTime());
    EXPECT_TRUE(due.trimLog);
    EXPECT_FALSE(due.deleteImages); // no valid time: nothing scheduled
    due = schedule.check(at(10, 8, 0, day.addDays(2)), true, std::nullopt, true, QTime(10, 8, 59));
    EXPECT_FALSE(due.trimLog);
    EXPECT_TRUE(due.deleteImages);
}

// The history's upkeep falls on the first check of each day, with every
// job off.
TEST(DailySchedule, CallsForTheHistoryAtTheFirstCheckOfEachDay)
{
    DailySchedule schedule;
    const QDate day(2026, 12, 9);
    const struct {
        QDateTime now;
        bool history;
    } checks[] = {
        { QDateTime(day, QTime(15, 30)), true },
        { QDateTime(day, QTime(15, 31)), false },
        { QDateTime(day, QTime(23, 59)), false },
        { QDateTime(day.addDays(1), QTime(0, 0)), true },
        { QDateTime(day.addDays(1), QTime(0, 1)), false },
        { QDateTime(day.addDays(3), QTime(12, 0)), true },
    };
    for (const auto &check : checks)
        EXPECT_EQ(schedule.check(check.now, false, std::nullopt, false, QTime()).history, check.history)
            << check.now.toString(Qt::ISODate).toStdString();
}

} // namespace
