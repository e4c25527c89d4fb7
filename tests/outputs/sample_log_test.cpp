#include "outputs/sample_log.h"

#include "base/settings.h"
#include "outputs/log_step.h"

#include "support/qt_printers.h"
#include "support/temp_data_dir.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

class SampleLogTest : public ::testing::Test {
protected:
    SampleLogTest() { log.setHeader(QStringLiteral("Date, A")); }
    QString path() const { return dir.filePath(QStringLiteral("log.txt")); }
    QByteArray contents() const { return dir.readFile(QStringLiteral("log.txt")); }

    TempDataDir dir;
    SampleLog log;
};

TEST_F(SampleLogTest, NewFileStartsWithTheHeaderPair)
{
    EXPECT_TRUE(log.writeLine(path(), QStringLiteral("Wed,     6.2")));
    EXPECT_TRUE(log.writeLine(path(), QStringLiteral("Thu,     5.9")));
    EXPECT_EQ(contents(), QByteArray("Date, A\r\n-------\r\nWed,     6.2\r\nThu,     5.9\r\n"));

    // A deleted log starts again with its header.
    ASSERT_TRUE(QFile::remove(path()));
    EXPECT_TRUE(log.writeLine(path(), QStringLiteral("Fri")));
    EXPECT_EQ(contents(), QByteArray("Date, A\r\n-------\r\nFri\r\n"));
}

TEST_F(SampleLogTest, ChangedFiguresPutAHeaderPairIntoTheMiddle)
{
    ASSERT_TRUE(log.writeLine(path(), QStringLiteral("one")));
    log.setHeader(QStringLiteral("Date, A, B"));
    log.setHeaderPending(true);
    ASSERT_TRUE(log.writeLine(path(), QStringLiteral("two")));
    EXPECT_FALSE(log.headerPending());
    ASSERT_TRUE(log.writeLine(path(), QStringLiteral("three")));
    EXPECT_EQ(
        contents(), QByteArray("Date, A\r\n-------\r\none\r\nDate, A, B\r\n----------\r\ntwo\r\nthree\r\n"));
}

TEST_F(SampleLogTest, WritesNothingWhileTrimming)
{
    ASSERT_TRUE(log.writeLine(path(), QStringLiteral("one")));
    log.setTrimBusy(true);
    EXPECT_FALSE(log.writeLine(path(), QStringLiteral("two")));
    log.setTrimBusy(false);
    EXPECT_EQ(contents(), QByteArray("Date, A\r\n-------\r\none\r\n"));
}

// A line torn by a kill mid-write is cut off before the next line goes on,
// so it never runs into it; a torn first write gets the header again.
TEST_F(SampleLogTest, TornLastLineIsCutBeforeTheNextLine)
{
    const struct {
        QByteArray onDisk;
        QByteArray after;
    } cases[] = {
        { "Date, A\r\n-------\r\none\r\ntw", "Date, A\r\n-------\r\none\r\nnext\r\n" },
        { "Date, A\r\n-------\r\none\r", "Date, A\r\n-------\r\nnext\r\n" },
        { "Date,", "Date, A\r\n-------\r\nnext\r\n" },
    };
    for (const auto &c : cases) {
        ASSERT_TRUE(dir.writeFile(QStringLiteral("log.txt"), c.onDisk));
        EXPECT_TRUE(log.writeLine(path(), QStringLiteral("next")));
        EXPECT_EQ(contents(), c.after) << c.onDisk.toStdString();
    }
}

TEST_F(SampleLogTest, MissingFolderDropsTheLineQuietly)
{
    const QString lost = dir.filePath(QStringLiteral("no-folder/log.txt"));
    log.setHeaderPending(true);
    EXPECT_FALSE(log.writeLine(lost, QStringLiteral("one")));
    EXPECT_FALSE(QFileInfo::exists(lost));
    EXPECT_TRUE(log.headerPending()); // still owed to the next file written
    // A folder where the file should be is no log either.
    EXPECT_FALSE(log.writeLine(dir.path(), QStringLiteral("one")));
}

// The log step writes a sample's line while logging is on, to the file the
// settings name; with logging off it writes nothing.
TEST_F(SampleLogTest, LogStepWritesWhileLoggingIsOn)
{
    Settings settings(SettingsContext { dir.path(), nullptr, QRect(), QLocale::c() });
    LogStep step(log, settings);
    LineSample sample;
    sample.pageRead = true;
    const PageLoad load { sample, QDateTime(), true, true };

    sample.logLine = QStringLiteral("off");
    step.sampleTaken(load);
    EXPECT_FALSE(QFileInfo::exists(path()));

    settings.setFlag(SettingKey::cbLog, true);
    sample.logLine = QStringLiteral("on");
    step.sampleTaken(load);
    EXPECT_EQ(contents(), QByteArray("Date, A\r\n-------\r\non\r\n"));
}

} // namespace
