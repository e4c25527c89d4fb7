// Kills a process that writes one kind of file, at random moments, and checks
// what is left on disk: a settings file is the old one or the new one, a log
// holds whole lines only (a line cut short by the kill itself is cut off by
// the next write, which then follows whole), a trimmed log is the old log or
// the trimmed one, noise.jpg and a captured image always a JPEG that decodes
// to one of the pictures written, and the history database passes its
// integrity check and holds every sample whose commit was reported.
// The writer is this program itself, started again with --writer KIND PATH.
// LINEWARDEN_CRASH_TRIALS sets the trials per kind (100 unless set).
#include "base/clock.h"
#include "base/settings.h"
#include "outputs/history_store.h"
#include "outputs/maintenance.h"
#include "outputs/sample_log.h"
#include "sampling/log_format.h"
#include "support/temp_data_dir.h"

#ifdef LINEWARDEN_WITH_JPEG
#include "outputs/jpeg_codec.h"
#endif

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <iostream>

namespace {

// Settings defaults that depend on the moment come out the same in every
// save, so a save can be compared byte for byte.
class FixedClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 9), QTime(10, 0, 0)); }
};

SettingsContext FixedContext()
{
    static const FixedClock clock;
    SettingsContext context;
    context.clock = &clock;
    context.locale = QLocale::c();
    return context;
}

// Generation n of the settings: two keys that must always agree.
Settings SettingsGeneration(int n)
{
    Settings settings(FixedContext());
    settings.setText(SettingKey::ImagePrefix, QStringLiteral("gen%1-").arg(n));
    settings.setText(SettingKey::LogFile, QStringLiteral("/logs/%1/").arg(n) + QString(n % 97 + 1, u'x'));
    return settings;
}

const QString kHeader = LogHeader(UserFigure::CrcErrors, UserFigure::HecErrors);

// Log line n, of a length that varies so writes straddle pages.
QString LogLine(int n)
{
    return QStringLiteral("line %1 ").arg(n) + QString((n * 7919) % 3000, u'.') + QStringLiteral(" end");
}

// The lines of a file cut at CR LF; false when the file does not end with one.
bool WholeLines(const QByteArray &bytes, QList<QByteArray> &lines)
{
    if (!bytes.isEmpty() && !bytes.endsWith("\r\n"))
        return false;
    lines = bytes.split('\n');
    lines.removeLast();
    for (QByteArray &line : lines) {
        if (!line.endsWith('\r'))
            return false;
        line.chop(1);
    }
    return true;
}

bool HeaderPair(const QList<QByteArray> &lines)
{
    return lines.size() >= 2 && lines[0] == kHeader.toUtf8() && lines[1] == QByteArray(kHeader.size(), '-');
}

constexpr int kTrimTotalLines = 20000;
constexpr int kTrimKeeps[] = { 15000, 10000, 5000, 1000, 100 };

QByteArray UntrimmedLog()
{
    QByteArray bytes = kHeader.toUtf8() + "\r\n" + QByteArray(kHeader.size(), '-') + "\r\n";
    for (int n = 1; n <= kTrimTotalLines; ++n)
        bytes += QStringLiteral("line %1 of the log to trim\r\n").arg(n).toUtf8();
    return bytes;
}

#ifdef LINEWARDEN_WITH_JPEG
// Picture n: 400 by 300, one colour that names n, so a decoded file shows
// which generation it is.
QImage Picture(int n)
{
    QImage picture(400, 300, QImage::Format_RGB32);
    picture.fill(QColor::fromHsv((n * 37) % 360, 200, 200));
    return picture;
}
#endif

// History sample n: its moment names it, its figures follow from it.
HistoryRecord HistorySample(int n)
{
    HistoryRecord record;
    record.moment = QDateTime(QDate(2026, 12, 9), QTime(0, 0), Qt::UTC).addMSecs(qint64(n) * 1500);
    record.noiseMarginUp = (n % 100) / 10.0;
    record.noiseMarginDown = 6.2;
    record.speedUp = 1020;
    record.speedDown = 8000 + n;
    record.uptimeSeconds = n;
    record.statisticsPage = true;
    record.figures = { { UserFigure::CrcErrors, double(n), double(2 * n) } };
    return record;
}

class FixedUtcClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 9), QTime(10, 0, 0)); }
};

void Ready()
{
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
}

// The writer's side: one kind of write, over and over, until killed.
int RunWriter(const QString &kind, const QString &path)
{
    if (kind == u"settings") {
        for (int n = 1;; ++n) {
            if (!SettingsGeneration(n).SaveIni(path))
                return 3;
            if (n == 1)
                Ready();
        }
    }
    if (kind == u"log") {
        SampleLog log;
        log.setHeader(kHeader);
        for (int n = 1;; ++n) {
            if (!log.writeLine(path, LogLine(n)))
                return 3;
            if (n == 1)
                Ready();
        }
    }
    if (kind == u"trim") {
        SampleLog log;
        Ready();
        for (const int keep : kTrimKeeps) {
            if (!TrimLog(path, keep, log).ok)
                return 3;
        }
        QThread::sleep(60);
        return 0;
    }
    // Each sample is reported on standard output once its transaction has
    // committed.
    if (kind == u"history") {
        const FixedUtcClock clock;
        HistoryStore store(QFileInfo(path).absolutePath(), clock);
        if (!store.open())
            return 3;
        for (int n = 1;; ++n) {
            store.append(HistorySample(n));
            store.waitForWrites();
            if (!store.isWriting())
                return 3;
            std::printf(n == 1 ? "ready\ncommitted %d\n" : "committed %d\n", n);
            std::fflush(stdout);
        }
    }
#ifdef LINEWARDEN_WITH_JPEG
    // noise.jpg is written without waiting for the disk, a capture with it.
    if (kind == u"noise" || kind == u"capture") {
        const bool sync = kind == u"capture";
        for (int n = 1;; ++n) {
            if (!JpegCodec::save(Picture(n), path, nullptr, sync))
                return 3;
            if (n == 1)
                Ready();
        }
    }
#endif
    return 2;
}

// What a trial found: empty when the file is as it may be.
using Check = std::function<QString(const QByteArray &bytes)>;

QString CheckSettings(const QString &path, const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QStringLiteral("empty settings file");
    Settings loaded(FixedContext());
    if (!loaded.Load(path))
        return QStringLiteral("settings file does not load");
    const QString prefix = loaded.text(SettingKey::ImagePrefix);
    bool ok = false;
    const int n = prefix.mid(3, prefix.size() - 4).toInt(&ok);
    if (!prefix.startsWith(u"gen") || !ok || n < 1)
        return QStringLiteral("no generation in the settings file: ") + prefix;
    // The file must be exactly what that generation's save wrote.
    TempDataDir scratch;
    const QString expectedPath = scratch.filePath(QStringLiteral("expected.ini"));
    if (!SettingsGeneration(n).SaveIni(expectedPath)
        || scratch.readFile(QStringLiteral("expected.ini")) != bytes)
        return QStringLiteral("settings file mixes generations near %1").arg(n);
    return {};
}

// Lines cut short by a kill, seen before the next write mended them.
int g_tornTails = 0;

QString CheckLog(const QString &path, const QByteArray &bytes)
{
    QList<QByteArray> lines;
    if (!WholeLines(bytes, lines)) {
        // The kernel may stop a write that crosses a page when the process is
        // killed. The program's next line must cut the torn piece off.
        ++g_tornTails;
        SampleLog log;
        log.setHeader(kHeader);
        if (!log.writeLine(path, QStringLiteral("after the kill")))
            return QStringLiteral("no line could be written after the kill");
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly) || !WholeLines(file.readAll(), lines))
            return QStringLiteral("the log ends in a partial line after the next write");
        if (lines.isEmpty() || lines.takeLast() != "after the kill")
            return QStringLiteral("the line after the kill is not whole");
    }
    if (!HeaderPair(lines))
        return QStringLiteral("the log lacks its header");
    for (int i = 2; i < lines.size(); ++i) {
        if (lines[i] != LogLine(i - 1).toUtf8())
            return QStringLiteral("log line %1 is not whole").arg(i + 1);
    }
    return {};
}

QString CheckTrimmedLog(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    if (!WholeLines(bytes, lines))
        return QStringLiteral("the log ends in a partial line");
    if (!HeaderPair(lines))
        return QStringLiteral("the log lacks its header");
    const int kept = int(lines.size()) - 2;
    bool knownSize = kept == kTrimTotalLines;
    for (const int keep : kTrimKeeps)
        knownSize = knownSize || kept == keep;
    if (!knownSize)
        return QStringLiteral("the log holds %1 lines, neither the old log nor a trimmed one").arg(kept);
    for (int i = 0; i < kept; ++i) {
        const int n = kTrimTotalLines - kept + 1 + i;
        if (lines[i + 2] != QStringLiteral("line %1 of the log to trim").arg(n).toUtf8())
            return QStringLiteral("line %1 of the trimmed log is wrong").arg(i + 3);
    }
    return {};
}

#ifdef LINEWARDEN_WITH_JPEG
QString CheckPicture(const QByteArray &bytes)
{
    const QImage picture = JpegCodec::decode(bytes);
    if (picture.isNull())
        return QStringLiteral("a picture of %1 bytes that does not decode").arg(bytes.size());
    if (picture.size() != QSize(400, 300))
        return QStringLiteral("a picture of the wrong size");
    return {};
}
#endif

// What the last writer printed before it was killed.
QByteArray g_writerOutput;

// The history after the kill: whole, and holding samples 1 to k in order
// for some k at least the last one reported committed.
QString CheckHistory(const QString &path)
{
    int committed = 0;
    for (const QByteArray &line : g_writerOutput.split('\n')) {
        if (line.startsWith("committed "))
            committed = line.mid(10).toInt();
    }
    QString problem;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        db.setDatabaseName(path);
        QSqlQuery query(db);
        if (!db.open() || !query.exec(QStringLiteral("PRAGMA integrity_check")) || !query.next())
            problem = QStringLiteral("the history does not open");
        else if (query.value(0).toString() != u"ok")
            problem = QStringLiteral("integrity check: ") + query.value(0).toString();
        int n = 0;
        if (problem.isEmpty()) {
            query.exec(QStringLiteral("SELECT moment, speed_down, crc_down FROM samples ORDER BY moment"));
            while (problem.isEmpty() && query.next()) {
                const HistoryRecord expected = HistorySample(++n);
                if (query.value(0).toLongLong() != expected.moment.toMSecsSinceEpoch()
                    || query.value(1).toInt() != 8000 + n || query.value(2).toInt() != 2 * n)
                    problem = QStringLiteral("history row %1 is not sample %1").arg(n);
            }
        }
        if (problem.isEmpty() && n < committed)
            problem = QStringLiteral("%1 samples committed, %2 in the history").arg(committed).arg(n);
        query = QSqlQuery();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
    return problem;
}

int Trials()
{
    const int trials = qEnvironmentVariableIntValue("LINEWARDEN_CRASH_TRIALS");
    return trials > 0 ? trials : 100;
}

// Starts the writer, lets it run for a random time up to maxDelayMs after it
// is ready, kills it with SIGKILL and checks the file; prepare runs before
// every trial. Prints and checks the counts.
void KillTrials(const QString &kind, int maxDelayMs, const std::function<void(const QString &)> &prepare,
    const std::function<QString(const QString &, const QByteArray &)> &check)
{
    TempDataDir data;
    // The history has a name of its own in its folder.
    const QString path
        = data.filePath(kind == u"history" ? HistoryStore::fileName() : QStringLiteral("target"));
    const int trials = Trials();
    int checked = 0;
    int failures = 0;
    QStringList firstFailures;
    for (int trial = 0; trial < trials; ++trial) {
        QFile::remove(path);
        if (prepare)
            prepare(path);
        QProcess writer;
        writer.start(QCoreApplication::applicationFilePath(), { QStringLiteral("--writer"), kind, path });
        ASSERT_TRUE(writer.waitForStarted(10000));
        ASSERT_TRUE(writer.waitForReadyRead(30000))
            << "the writer never got ready: " << writer.readAllStandardError().toStdString();
        QThread::usleep(QRandomGenerator::global()->bounded(maxDelayMs * 1000));
        writer.kill();
        writer.waitForFinished(10000);
        g_writerOutput = writer.readAllStandardOutput();
        ASSERT_EQ(writer.exitStatus(), QProcess::CrashExit)
            << "the writer stopped by itself: exit code " << writer.exitCode();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "the file is gone after trial " << trial;
        const QString problem = check(path, file.readAll());
        ++checked;
        if (!problem.isEmpty()) {
            ++failures;
            if (firstFailures.size() < 5)
                firstFailures << problem;
        }
    }
    std::cout << kind.toStdString() << ": trials " << trials << ", files checked " << checked << ", failures "
              << failures << std::endl;
    EXPECT_EQ(checked, trials);
    EXPECT_EQ(failures, 0) << firstFailures.join(QStringLiteral("; ")).toStdString();
}

} // namespace

TEST(CrashSafety, KilledSettingsSaveLeavesTheOldOrTheNewFile)
{
    KillTrials(QStringLiteral("settings"), 40, {}, CheckSettings);
}

TEST(CrashSafety, KilledLogAppendsLeaveOnlyWholeLines)
{
    KillTrials(QStringLiteral("log"), 40, {}, CheckLog);
    std::cout << "log: torn last lines cut off by the next write: " << g_tornTails << std::endl;
}

TEST(CrashSafety, KilledLogTrimLeavesTheOldOrTheTrimmedLog)
{
    const QByteArray untrimmed = UntrimmedLog();
    KillTrials(
        QStringLiteral("trim"), 150,
        [&untrimmed](const QString &path) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            ASSERT_EQ(file.write(untrimmed), untrimmed.size());
        },
        [](const QString &, const QByteArray &bytes) { return CheckTrimmedLog(bytes); });
}

TEST(CrashSafety, KilledHistoryWritesKeepEveryCommittedSample)
{
    KillTrials(
        QStringLiteral("history"), 60,
        [](const QString &path) {
            for (const char *suffix : { "-wal", "-shm" })
                QFile::remove(path + QLatin1String(suffix));
        },
        [](const QString &path, const QByteArray &) { return CheckHistory(path); });
}

#ifdef LINEWARDEN_WITH_JPEG
TEST(CrashSafety, KilledImageWritesLeaveAPictureThatDecodes)
{
    for (const char *kind : { "noise", "capture" })
        KillTrials(QString::fromLatin1(kind), 40, {},
            [](const QString &, const QByteArray &bytes) { return CheckPicture(bytes); });
}
#endif

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--writer")
        return RunWriter(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
