// `--export-history`: the stored samples as CSV text, the --from and --to
// range, and the failures that end it with status 2 and one line.
#include "outputs/history_store.h"
#include "shell/commands/export_history_command.h"
#include "support/fake_clock.h"
#include "support/temp_data_dir.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

QDateTime At(int minute, int ms = 0)
{
    return QDateTime(QDate(2026, 12, 9), QTime(10, minute, 0, ms), Qt::UTC);
}

class ExportHistoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        HistoryStore store(m_data.path(), m_clock);
        ASSERT_TRUE(store.open());
        HistoryRecord first;
        first.moment = At(0, 250);
        first.noiseMarginUp = 5.1;
        first.noiseMarginDown = 6.2;
        first.speedUp = 1020;
        first.speedDown = 8128;
        first.uptimeSeconds = 3725;
        first.statisticsPage = true;
        first.figures = { { UserFigure::CrcErrors, 12, 345 }, { UserFigure::HecErrors, 0, 7 } };
        HistoryRecord second;
        second.moment = At(1);
        second.figures = { { UserFigure::OutputPower, -3.5, 12.4 } };
        HistoryRecord third = first;
        third.moment = At(2);
        third.figures = { { UserFigure::LineAttenuation, 23.5, 41 }, { UserFigure::ErrorSeconds, 1, 2 },
            { UserFigure::FecErrors, 3, 4 } };
        for (const HistoryRecord &record : { first, second, third })
            store.append(record);
    }

    int exportTo(const QString &file, const QDateTime &from = {}, const QDateTime &to = {})
    {
        QTextStream err(&m_err);
        return RunExportHistory(ExportHistoryRequest { file, from, to }, m_data.path(), err);
    }

    TempDataDir m_data;
    FakeClock m_clock;
    QString m_err;
};

const QByteArray kHeader
    = "time,noise_margin_up_db,noise_margin_down_db,speed_up_kbps,speed_down_kbps,"
      "uptime_seconds,statistics_page,output_power_up_dbm,output_power_down_dbm,"
      "line_attenuation_up_db,line_attenuation_down_db,error_seconds_up,error_seconds_down,"
      "fec_errors_up,fec_errors_down,crc_errors_up,crc_errors_down,hec_errors_up,"
      "hec_errors_down\n";
const QByteArray kFirst = "2026-12-09T10:00:00.250Z,5.1,6.2,1020,8128,3725,1,,,,,,,,,12,345,0,7\n";
const QByteArray kSecond = "2026-12-09T10:01:00.000Z,0,0,0,0,,0,-3.5,12.4,,,,,,,,,,\n";
const QByteArray kThird = "2026-12-09T10:02:00.000Z,5.1,6.2,1020,8128,3725,1,,,23.5,41,1,2,3,4,,,,\n";

TEST_F(ExportHistoryTest, WritesTheSamplesInRangeAsCsv)
{
    struct Case {
        const char *what;
        QDateTime from;
        QDateTime to;
        QByteArray lines;
    };
    const Case cases[] = {
        { "everything", {}, {}, kFirst + kSecond + kThird },
        { "from a moment on", At(1), {}, kSecond + kThird },
        { "up to a moment", {}, At(1), kFirst + kSecond },
        { "both ends included", At(0, 250), At(0, 250), kFirst },
        { "nothing in range", At(3), {}, {} },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QString file = m_data.filePath(QStringLiteral("out.csv"));
        EXPECT_EQ(exportTo(file, c.from, c.to), 0) << m_err.toStdString();
        EXPECT_EQ(m_data.readFile(QStringLiteral("out.csv")), kHeader + c.lines);
    }
    EXPECT_TRUE(m_err.isEmpty());
}

TEST_F(ExportHistoryTest, FailuresEndWithStatusTwoAndOneLine)
{
    struct Case {
        const char *what;
        QString dataFolder;
        QString file;
    };
    const TempDataDir empty;
    const TempDataDir damaged;
    ASSERT_TRUE(damaged.writeFile(HistoryStore::fileName(), QByteArray(4096, 'x')));
    // A history whose pages of samples are overwritten halfway through.
    const TempDataDir torn;
    {
        HistoryStore store(torn.path(), m_clock);
        ASSERT_TRUE(store.open());
        HistoryRecord record;
        for (int n = 0; n < 3000; ++n) {
            record.moment = At(0).addSecs(n);
            store.append(record);
        }
    }
    QFile tornFile(torn.filePath(HistoryStore::fileName()));
    ASSERT_TRUE(tornFile.open(QIODevice::ReadWrite));
    ASSERT_GT(tornFile.size(), 8 * 4096);
    ASSERT_TRUE(tornFile.seek(tornFile.size() / 2 / 4096 * 4096));
    ASSERT_EQ(tornFile.write(QByteArray(3 * 4096, '\xff')), 3 * 4096);
    tornFile.close();
    const Case cases[] = {
        { "no history", empty.path(), m_data.filePath(QStringLiteral("a.csv")) },
        { "a damaged history", damaged.path(), m_data.filePath(QStringLiteral("b.csv")) },
        { "a history damaged inside", torn.path(), m_data.filePath(QStringLiteral("d.csv")) },
        { "a file that cannot be written", m_data.path(), m_data.filePath(QStringLiteral("none/c.csv")) },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QString text;
        QTextStream err(&text);
        EXPECT_EQ(RunExportHistory(ExportHistoryRequest { c.file, {}, {} }, c.dataFolder, err), 2);
        EXPECT_TRUE(text.startsWith(QStringLiteral("linewarden: "))) << text.toStdString();
        EXPECT_EQ(text.count(u'\n'), 1);
        EXPECT_FALSE(QFile::exists(c.file));
    }
    // The damaged file is read, never moved or changed.
    EXPECT_EQ(damaged.readFile(HistoryStore::fileName()), QByteArray(4096, 'x'));
}

TEST(ExportHistoryCommandLine, TakesIsoMomentsAndRejectsBadOnes)
{
    struct Case {
        QStringList arguments;
        bool ok;
        QDateTime from;
        QDateTime to;
    };
    const QDate day(2026, 12, 9);
    const Case cases[] = {
        { { QStringLiteral("--export-history"), QStringLiteral("h.csv") }, true, {}, {} },
        { { QStringLiteral("--export-history"), QStringLiteral("h.csv"), QStringLiteral("--from"),
              QStringLiteral("2026-12-09T10:11:12.345Z"), QStringLiteral("--to"),
              QStringLiteral("2026-12-09T12:00:00+01:00") },
            true, QDateTime(day, QTime(10, 11, 12, 345), Qt::UTC), QDateTime(day, QTime(11, 0), Qt::UTC) },
        { { QStringLiteral("--export-history"), QStringLiteral("h.csv"), QStringLiteral("--from"),
              QStringLiteral("2026-12-09"), QStringLiteral("--to"), QStringLiteral("2026-12-09") },
            true, QDateTime(day, QTime(0, 0)), QDateTime(day, QTime(23, 59, 59, 999)) },
        { { QStringLiteral("--export-history"), QStringLiteral("h.csv"), QStringLiteral("--from"),
              QStringLiteral("yesterday") },
            false, {}, {} },
        { { QStringLiteral("--export-history"), QStringLiteral("h.csv"), QStringLiteral("--to"),
              QStringLiteral("2026-13-01") },
            false, {}, {} },
        { { QStringLiteral("--from"), QStringLiteral("2026-12-09") }, false, {}, {} },
        { { QStringLiteral("--export-history") }, false, {}, {} },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        QString error;
        const std::optional<CommandLine> line = ParseCommandLine(c.arguments, error);
        ASSERT_EQ(line.has_value(), c.ok) << error.toStdString();
        if (!c.ok) {
            EXPECT_FALSE(error.isEmpty());
            continue;
        }
        EXPECT_EQ(line->mode, CommandLine::Mode::ExportHistory);
        EXPECT_EQ(line->exportHistory.file, QStringLiteral("h.csv"));
        EXPECT_EQ(line->exportHistory.from, c.from);
        EXPECT_EQ(line->exportHistory.to, c.to);
    }
}

} // namespace
