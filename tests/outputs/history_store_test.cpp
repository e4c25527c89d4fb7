// The line's history as a user finds it in history.sqlite: samples read back
// exactly, by figure, in time order; the retention; and a file that is
// damaged or held by another connection never stops sampling or the log.
#include "outputs/history_step.h"
#include "outputs/history_store.h"
#include "outputs/log_step.h"
#include "outputs/sample_log.h"
#include "sampling/log_format.h"
#include "support/fake_clock.h"
#include "support/temp_data_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <gtest/gtest.h>

namespace {

using Figure = HistoryRecord::Figure;

QDateTime At(int day, int hour, int minute, int second = 0, int ms = 0)
{
    return QDateTime(QDate(2026, 12, day), QTime(hour, minute, second, ms), Qt::UTC);
}

HistoryRecord Record(const QDateTime &moment, double marginUp = 5.1, std::vector<Figure> figures = {})
{
    HistoryRecord record;
    record.moment = moment;
    record.noiseMarginUp = marginUp;
    record.noiseMarginDown = 6.2;
    record.speedUp = 1020;
    record.speedDown = 8128;
    record.uptimeSeconds = 3725;
    record.statisticsPage = true;
    record.figures = std::move(figures);
    return record;
}

void ExpectSame(const HistoryRecord &read, const HistoryRecord &written)
{
    EXPECT_EQ(read.moment, written.moment);
    EXPECT_EQ(read.moment.timeSpec(), Qt::UTC);
    EXPECT_EQ(read.noiseMarginUp, written.noiseMarginUp);
    EXPECT_EQ(read.noiseMarginDown, written.noiseMarginDown);
    EXPECT_EQ(read.speedUp, written.speedUp);
    EXPECT_EQ(read.speedDown, written.speedDown);
    EXPECT_EQ(read.uptimeSeconds, written.uptimeSeconds);
    EXPECT_EQ(read.statisticsPage, written.statisticsPage);
    ASSERT_EQ(read.figures.size(), written.figures.size());
    for (std::size_t i = 0; i < read.figures.size(); ++i) {
        EXPECT_EQ(read.figures[i].figure, written.figures[i].figure);
        EXPECT_EQ(read.figures[i].up, written.figures[i].up);
        EXPECT_EQ(read.figures[i].down, written.figures[i].down);
    }
}

class HistoryStoreTest : public ::testing::Test {
protected:
    // Waits for what the store tells from the event loop.
    // Collects what the store tells.
    static QStringList &listen(HistoryStore &store, QStringList &told)
    {
        QObject::connect(&store, &HistoryStore::problem, [&told](const QString &text) { told << text; });
        return told;
    }

    static void settle(HistoryStore &store)
    {
        store.waitForWrites();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    TempDataDir m_data;
    FakeClock m_clock { QDateTime(QDate(2026, 12, 9), QTime(10, 0)) };
};

TEST_F(HistoryStoreTest, SamplesComeBackExactlyWithTheirFiguresByName)
{
    struct Case {
        const char *what;
        HistoryRecord record;
    };
    HistoryRecord noPage = Record(At(2, 10, 3, 30));
    noPage.noiseMarginUp = noPage.noiseMarginDown = noPage.speedUp = noPage.speedDown = 0;
    noPage.uptimeSeconds.reset();
    noPage.statisticsPage = false;
    HistoryRecord fine = Record(At(2, 10, 1, 0, 999), 6.25,
        { { UserFigure::OutputPower, -3.5, 12.35 }, { UserFigure::LineAttenuation, 23.5, 41.7 } });
    fine.speedDown = 7936.5;
    const std::vector<Case> cases = {
        { "the default figures",
            Record(At(1, 23, 59, 59, 123), 5.1,
                { { UserFigure::CrcErrors, 12, 345 }, { UserFigure::HecErrors, 0, 7 } }) },
        { "power and attenuation, values finer than tenths", fine },
        { "error seconds and FEC, counts beyond 32 bits",
            Record(At(2, 10, 2), 0.1,
                { { UserFigure::ErrorSeconds, 4e9, 1 }, { UserFigure::FecErrors, 2, 9e12 } }) },
        { "no figure, not the statistics page", noPage },
    };
    HistoryStore store(m_data.path(), m_clock);
    ASSERT_TRUE(store.open());
    for (const Case &c : cases)
        store.append(c.record);
    store.close();

    // A new run reads what the last one wrote.
    HistoryStore reopened(m_data.path(), m_clock);
    ASSERT_TRUE(reopened.open());
    const std::vector<HistoryRecord> read = reopened.read({}, {});
    ASSERT_EQ(read.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].what);
        ExpectSame(read[i], cases[i].record);
    }
}

TEST_F(HistoryStoreTest, ReadsInTimeOrderWithinBothEnds)
{
    HistoryStore store(m_data.path(), m_clock);
    ASSERT_TRUE(store.open());
    for (const int minute : { 30, 10, 20, 40, 0 })
        store.append(Record(At(9, 9, minute), minute / 10.0));
    store.waitForWrites();

    const std::vector<HistoryRecord> range = store.read(At(9, 9, 10), At(9, 9, 30));
    ASSERT_EQ(range.size(), 3u);
    EXPECT_EQ(range[0].moment, At(9, 9, 10));
    EXPECT_EQ(range[1].moment, At(9, 9, 20));
    EXPECT_EQ(range[2].moment, At(9, 9, 30));
    EXPECT_EQ(range[2].noiseMarginUp, 3.0);
    EXPECT_EQ(store.read(At(9, 9, 40, 0, 1), {}).size(), 0u);
    EXPECT_EQ(store.read({}, At(9, 9, 0)).size(), 1u);
}

// Samples 12 hours, 2 days and 40 days old, trimmed to HistoryDays.
TEST_F(HistoryStoreTest, RetentionKeepsTheSetNumberOfDays)
{
    struct Case {
        int days;
        std::vector<int> keptAgesHours;
    };
    const Case cases[] = { { 0, { 960, 48, 12 } }, { 1, { 12 } }, { 31, { 48, 12 } } };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.days);
        const TempDataDir folder;
        HistoryStore store(folder.path(), m_clock);
        ASSERT_TRUE(store.open());
        for (const int hours : { 960, 48, 12 })
            store.append(Record(m_clock.now().toUTC().addSecs(-hours * 3600)));
        store.removeOlderThan(c.days);
        store.waitForWrites();
        std::vector<int> kept;
        for (const HistoryRecord &record : store.read({}, {}))
            kept.push_back(int(record.moment.secsTo(m_clock.now()) / 3600));
        EXPECT_EQ(kept, c.keptAgesHours);
    }
}

TEST(HistoryStepTest, KeepsEachUserFigureReadByItsOwnName)
{
    struct Case {
        UserFigure user1;
        UserFigure user2;
        std::vector<Figure> expected;
    };
    LineSample sample;
    sample.user1Up = 1;
    sample.user1Down = 2;
    sample.user2Up = 3;
    sample.user2Down = 4;
    const Case cases[] = {
        { UserFigure::CrcErrors, UserFigure::HecErrors,
            { { UserFigure::CrcErrors, 1, 2 }, { UserFigure::HecErrors, 3, 4 } } },
        { UserFigure::None, UserFigure::OutputPower, { { UserFigure::OutputPower, 3, 4 } } },
        { UserFigure::FecErrors, UserFigure::None, { { UserFigure::FecErrors, 1, 2 } } },
        { UserFigure::None, UserFigure::None, {} },
        { UserFigure::ErrorSeconds, UserFigure::ErrorSeconds, { { UserFigure::ErrorSeconds, 1, 2 } } },
    };
    for (const Case &c : cases) {
        PageLoad load(sample, QDateTime(QDate(2026, 12, 9), QTime(11, 0, 0, 250), Qt::LocalTime), true, true);
        load.user1 = c.user1;
        load.user2 = c.user2;
        load.uptimeSeconds = 42;
        const HistoryRecord record = HistoryRecordOf(load);
        EXPECT_EQ(record.moment.timeSpec(), Qt::UTC);
        EXPECT_EQ(record.moment, load.moment);
        EXPECT_EQ(record.uptimeSeconds, std::optional<qint64>(42));
        ASSERT_EQ(record.figures.size(), c.expected.size());
        for (std::size_t i = 0; i < c.expected.size(); ++i) {
            EXPECT_EQ(record.figures[i].figure, c.expected[i].figure);
            EXPECT_EQ(record.figures[i].up, c.expected[i].up);
            EXPECT_EQ(record.figures[i].down, c.expected[i].down);
        }
    }
}

// A run of samples through the log step and the history step, as the
// program runs them.
class HistoryFailureTest : public HistoryStoreTest {
protected:
    // Takes samples with logging on; the log lines written.
    int takeSamples(HistoryStore &store, int count)
    {
        Settings settings(SettingsContext {});
        settings.setFlag(SettingKey::cbLog, true);
        settings.setText(SettingKey::LogFile, m_data.filePath(QStringLiteral("log.txt")));
        SampleLog log;
        log.setHeader(LogHeader(UserFigure::CrcErrors, UserFigure::HecErrors));
        SamplePipeline pipeline;
        pipeline.add(SamplePipeline::Stage::Log, std::make_unique<LogStep>(log, settings));
        pipeline.add(
            SamplePipeline::Stage::History, std::make_unique<HistoryStep>([&store] { return &store; }));
        LineSample sample;
        sample.pageRead = true;
        for (int n = 0; n < count; ++n) {
            sample.logLine = QStringLiteral("sample %1").arg(n);
            pipeline.run(PageLoad(sample, m_clock.now().addSecs(30 * n), true, true));
            settle(store);
        }
        return int(m_data.readFile(QStringLiteral("log.txt")).count("sample "));
    }

    QString historyPath() const { return m_data.filePath(HistoryStore::fileName()); }
};

TEST_F(HistoryFailureTest, ADamagedFileIsMovedAsideAndANewHistoryBegins)
{
    const QByteArray garbage = QByteArray("this is no database ").repeated(300);
    ASSERT_TRUE(m_data.writeFile(HistoryStore::fileName(), garbage));
    ASSERT_TRUE(m_data.writeFile(HistoryStore::fileName() + QStringLiteral("-wal"), "torn journal"));
    HistoryStore store(m_data.path(), m_clock);
    QStringList told;
    listen(store, told);
    ASSERT_TRUE(store.open());

    EXPECT_EQ(takeSamples(store, 3), 3);
    EXPECT_EQ(store.read({}, {}).size(), 3u);
    const QString aside = QStringLiteral("history.sqlite.corrupt-20261209-100000");
    EXPECT_EQ(m_data.readFile(aside), garbage);
    EXPECT_EQ(m_data.readFile(aside + QStringLiteral("-wal")), "torn journal");
    ASSERT_EQ(told.count(), 1);
    EXPECT_TRUE(told.at(0).contains(m_data.filePath(aside)));
}

TEST_F(HistoryFailureTest, AFileHeldByAnotherConnectionIsToldOnceAndSamplingGoesOn)
{
    {
        HistoryStore first(m_data.path(), m_clock);
        ASSERT_TRUE(first.open());
    }
    QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
    other.setDatabaseName(historyPath());
    ASSERT_TRUE(other.open());
    {
        QSqlQuery hold(other);
        ASSERT_TRUE(hold.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        ASSERT_TRUE(hold.exec(QStringLiteral("DELETE FROM samples")));

        HistoryStore store(m_data.path(), m_clock);
        QStringList told;
        listen(store, told);
        store.open();
        EXPECT_EQ(takeSamples(store, 4), 4);
        ASSERT_EQ(told.count(), 1);
        EXPECT_TRUE(told.at(0).contains(historyPath()));
        EXPECT_FALSE(store.isWriting());
        ASSERT_TRUE(hold.exec(QStringLiteral("ROLLBACK")));
    }
    other.close();
    other = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
}

TEST_F(HistoryFailureTest, AHistoryThatCannotBeOpenedIsToldOnce)
{
    // A folder in the file's place: no user, not even root, opens it.
    ASSERT_TRUE(QDir(m_data.path()).mkdir(HistoryStore::fileName()));
    HistoryStore store(m_data.path(), m_clock);
    QStringList told;
    listen(store, told);
    EXPECT_FALSE(store.open());
    EXPECT_FALSE(store.open());
    EXPECT_EQ(takeSamples(store, 3), 3);
    EXPECT_EQ(told.count(), 1);
    EXPECT_TRUE(QFileInfo(historyPath()).isDir());
}

} // namespace
