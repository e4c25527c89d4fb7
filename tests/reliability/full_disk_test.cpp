// The log, the settings file, the log trim, noise.jpg and captured images on
// a file system that is full or read-only: every write fails cleanly, the
// failure is reported where the program reports it, nothing already on disk
// is lost, and writing works again once there is room. The file system is a
// small tmpfs mounted in a private mount namespace of this process, which
// needs root (CI runs as root); elsewhere those tests are skipped. The log
// trim in a folder that takes no new file runs as any user.
#include "base/clock.h"
#include "base/settings.h"
#include "outputs/history_step.h"
#include "outputs/history_store.h"
#include "outputs/line_events_log.h"
#include "outputs/log_step.h"
#include "outputs/maintenance.h"
#include "outputs/sample_log.h"
#include "sampling/log_format.h"
#include "sampling/sample_pipeline.h"

#ifdef LINEWARDEN_WITH_JPEG
#include "outputs/jpeg_codec.h"
#include "outputs/web_image_step.h"
#include "outputs/web_serving.h"
#include "sampling/sample_pipeline.h"

#include <QGuiApplication>
#endif

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

// Set by main(): why the private mount namespace could not be had.
QString g_namespaceProblem;

class FullDiskTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!g_namespaceProblem.isEmpty())
            GTEST_SKIP() << "needs root for a private tmpfs: " << g_namespaceProblem.toStdString();
        ASSERT_TRUE(m_mountPoint.isValid());
        const QByteArray where = QFile::encodeName(m_mountPoint.path());
        ASSERT_EQ(mount("linewarden-test", where.constData(), "tmpfs", 0, "size=256k"), 0)
            << std::strerror(errno);
        m_mounted = true;
    }

    void TearDown() override
    {
        if (m_mounted)
            umount2(QFile::encodeName(m_mountPoint.path()).constData(), MNT_DETACH);
    }

    QString path(const QString &name) const { return m_mountPoint.path() + u'/' + name; }

    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Fills the file system to the last byte.
    void fill()
    {
        QFile filler(path(QStringLiteral("filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered));
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) { }
        while (filler.write("f", 1) == 1) { }
    }
    void makeRoom() { ASSERT_TRUE(QFile::remove(path(QStringLiteral("filler")))); }

    void setReadOnly(bool readOnly)
    {
        const unsigned long flags = MS_REMOUNT | (readOnly ? MS_RDONLY : 0);
        ASSERT_EQ(
            mount(nullptr, QFile::encodeName(m_mountPoint.path()).constData(), nullptr, flags, "size=256k"),
            0)
            << std::strerror(errno);
    }

    // Puts the program in a state where a write is refused: the file system
    // full, or read-only.
    void refuseWrites(bool full)
    {
        if (full)
            fill();
        else
            setReadOnly(true);
    }
    void allowWrites(bool full)
    {
        if (full)
            makeRoom();
        else
            setReadOnly(false);
    }

    QTemporaryDir m_mountPoint;
    bool m_mounted = false;
};

// A line too long to fit in what is left of the file's last page.
QString LongLine(int n)
{
    return QStringLiteral("Wed 09 Dec 2026 10:%1:00, ").arg(n, 2, 10, QLatin1Char('0')) + QString(6000, u'9');
}

TEST_F(FullDiskTest, LogLinesAreDroppedWholeAndLoggingResumes)
{
    for (const bool full : { true, false }) {
        SCOPED_TRACE(full ? "full" : "read-only");
        const QString log = path(QStringLiteral("log.txt"));
        QFile::remove(log);
        SampleLog sampleLog;
        sampleLog.setHeader(LogHeader(UserFigure::CrcErrors, UserFigure::HecErrors));
        ASSERT_TRUE(sampleLog.writeLine(log, LongLine(1)));
        const QByteArray before = read(log);

        refuseWrites(full);
        EXPECT_FALSE(sampleLog.writeLine(log, LongLine(2)));
        EXPECT_EQ(read(log), before);
        allowWrites(full);

        EXPECT_TRUE(sampleLog.writeLine(log, LongLine(3)));
        EXPECT_EQ(read(log), before + LongLine(3).toUtf8() + "\r\n");
    }
}

TEST_F(FullDiskTest, NewLogOnAFullDiskLeavesNoHeaderlessFile)
{
    fill();
    SampleLog sampleLog;
    sampleLog.setHeader(LogHeader(UserFigure::CrcErrors, UserFigure::HecErrors));
    const QString log = path(QStringLiteral("log.txt"));
    EXPECT_FALSE(sampleLog.writeLine(log, LongLine(1)));
    makeRoom();
    ASSERT_TRUE(sampleLog.writeLine(log, LongLine(2)));
    EXPECT_TRUE(read(log).startsWith(sampleLog.header().toUtf8() + "\r\n"));
}

TEST_F(FullDiskTest, SettingsSaveFailsAndTheOldFileStays)
{
    for (const bool full : { true, false }) {
        SCOPED_TRACE(full ? "full" : "read-only");
        const QString ini = path(QStringLiteral("linewarden.ini"));
        Settings settings(SettingsContext {});
        settings.setText(SettingKey::ImagePrefix, QStringLiteral("kept-"));
        ASSERT_TRUE(settings.SaveIni(ini));
        const QByteArray before = read(ini);

        refuseWrites(full);
        settings.setText(SettingKey::ImagePrefix, QStringLiteral("lost-"));
        EXPECT_FALSE(settings.SaveIni(ini));
        EXPECT_EQ(read(ini), before);
        Settings loaded(SettingsContext {});
        EXPECT_TRUE(loaded.Load(ini));
        EXPECT_EQ(loaded.text(SettingKey::ImagePrefix), QStringLiteral("kept-"));
        // What the user is told.
        EXPECT_EQ(Settings::SaveFailedText(ini), QStringLiteral("Unable to write to ") + ini);
        allowWrites(full);

        EXPECT_TRUE(settings.SaveIni(ini));
        ASSERT_TRUE(loaded.Load(ini));
        EXPECT_EQ(loaded.text(SettingKey::ImagePrefix), QStringLiteral("lost-"));
        // No half-written temporary file is left behind.
        EXPECT_EQ(QDir(m_mountPoint.path()).entryList(QDir::Files),
            QStringList { QStringLiteral("linewarden.ini") });
    }
}

TEST_F(FullDiskTest, LogTrimFailsWithAMessageAndTheLogStays)
{
    for (const bool full : { true, false }) {
        SCOPED_TRACE(full ? "full" : "read-only");
        const QString log = path(QStringLiteral("log.txt"));
        QFile::remove(log);
        SampleLog sampleLog;
        sampleLog.setHeader(LogHeader(UserFigure::CrcErrors, UserFigure::HecErrors));
        // Short lines: what is kept fits in the write buffer.
        for (int n = 0; n < 10; ++n)
            ASSERT_TRUE(sampleLog.writeLine(log, QStringLiteral("Wed 09 Dec 2026 10:%1:00, 6.2").arg(n)));
        const QByteArray before = read(log);

        refuseWrites(full);
        const TrimOutcome outcome = TrimLog(log, 3, sampleLog);
        EXPECT_FALSE(outcome.ok);
        EXPECT_FALSE(outcome.error.isEmpty());
        EXPECT_FALSE(sampleLog.trimBusy());
        EXPECT_EQ(read(log), before);
        allowWrites(full);

        EXPECT_TRUE(TrimLog(log, 3, sampleLog).ok);
        EXPECT_EQ(read(log).count('\n'), 5);
    }
}

class FixedClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 9), QTime(10, 0)); }
};

// Samples through the log step and the history step, as the program takes
// them; the log lines the log then holds.
int TakeSamples(HistoryStore &store, const QString &logPath, int count)
{
    Settings settings(SettingsContext {});
    settings.setFlag(SettingKey::cbLog, true);
    settings.setText(SettingKey::LogFile, logPath);
    SampleLog log;
    log.setHeader(LogHeader(UserFigure::CrcErrors, UserFigure::HecErrors));
    SamplePipeline pipeline;
    pipeline.add(SamplePipeline::Stage::Log, std::make_unique<LogStep>(log, settings));
    pipeline.add(SamplePipeline::Stage::History, std::make_unique<HistoryStep>([&store] { return &store; }));
    LineSample sample;
    sample.pageRead = true;
    static int taken = 0;
    for (int n = 0; n < count; ++n) {
        sample.logLine = QStringLiteral("sample %1").arg(++taken);
        pipeline.run(PageLoad(sample, FixedClock().now().addSecs(30 * taken), true, true));
        store.waitForWrites();
        QCoreApplication::processEvents();
    }
    QFile file(logPath);
    return file.open(QIODevice::ReadOnly) ? int(file.readAll().count("sample ")) : 0;
}

// The history on a disk that fills up, and on one that is read-only when
// the program starts (a file system with a file open for writing cannot be
// made read-only): the user is told once, every sample is logged, what the
// history held stays, and it is kept again once it is opened again with
// room on the disk.
TEST_F(FullDiskTest, AHistoryThatCannotBeWrittenIsToldOnceAndTheLogGoesOn)
{
    for (const bool full : { true, false }) {
        SCOPED_TRACE(full ? "full" : "read-only");
        const QTemporaryDir logFolder;
        const QString logPath = logFolder.filePath(QStringLiteral("log.txt"));
        const FixedClock clock;
        HistoryStore store(m_mountPoint.path(), clock);
        QStringList told;
        QObject::connect(&store, &HistoryStore::problem, [&told](const QString &text) { told << text; });
        ASSERT_TRUE(store.open());
        EXPECT_EQ(TakeSamples(store, logPath, 2), 2);
        const std::size_t kept = store.read({}, {}).size();
        EXPECT_GE(kept, 2u);
        if (!full)
            store.close();

        refuseWrites(full);
        if (!full)
            store.open();
        EXPECT_EQ(TakeSamples(store, logPath, 4), 6);
        EXPECT_EQ(told.size(), 1) << told.join(u'|').toStdString();
        EXPECT_FALSE(store.isWriting());
        if (!full)
            store.close();
        allowWrites(full);

        ASSERT_TRUE(store.open());
        EXPECT_EQ(TakeSamples(store, logPath, 1), 7);
        EXPECT_EQ(store.read({}, {}).size(), kept + 1);
        EXPECT_EQ(told.size(), 1);
        store.close();
    }
}

// A folder that takes no new file while the log and the events file in it
// can still be written. Root writes through permission bits, so as root the
// folder becomes a read-only bind mount in this process's private mount
// namespace, with each file bind-mounted writable on top of it; any other
// user just loses the folder's write permission.
class UnwritableFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (m_root && !g_namespaceProblem.isEmpty())
            GTEST_SKIP() << "root needs a private mount namespace: " << g_namespaceProblem.toStdString();
        ASSERT_TRUE(m_dir.isValid());
    }

    void TearDown() override
    {
        if (m_root)
            umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
        else
            QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }

    void lockFolder(const QStringList &writableFiles)
    {
        if (!m_root) {
            ASSERT_TRUE(QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::ExeOwner));
            return;
        }
        const QByteArray folder = QFile::encodeName(m_dir.path());
        ASSERT_EQ(mount(folder.constData(), folder.constData(), nullptr, MS_BIND, nullptr), 0)
            << std::strerror(errno);
        for (const QString &file : writableFiles) {
            const QByteArray name = QFile::encodeName(file);
            ASSERT_EQ(mount(name.constData(), name.constData(), nullptr, MS_BIND, nullptr), 0)
                << std::strerror(errno);
        }
        remountReadOnly(folder);
    }

    // The file itself refuses writes as well.
    void lockFile(const QString &file)
    {
        if (m_root)
            remountReadOnly(QFile::encodeName(file));
        else
            ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner));
    }

    static void remountReadOnly(const QByteArray &where)
    {
        ASSERT_EQ(mount(nullptr, where.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr), 0)
            << std::strerror(errno);
    }

    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    const bool m_root = geteuid() == 0;
    QTemporaryDir m_dir;
};

TEST_F(UnwritableFolderTest, LogAndEventsAreTrimmedInPlaceAndAFailureNamesTheFile)
{
    const QString logPath = path(QStringLiteral("log.txt"));
    const QString eventsPath = path(QStringLiteral("events.txt"));
    SampleLog sampleLog;
    sampleLog.setHeader(LogHeader(UserFigure::CrcErrors, UserFigure::HecErrors));
    for (int n = 0; n < 10; ++n) {
        ASSERT_TRUE(sampleLog.writeLine(logPath, QStringLiteral("Wed 09 Dec 2026 10:0%1:00, 6.2").arg(n)));
        ASSERT_TRUE(AppendLineEvent(eventsPath, QStringLiteral("event %1").arg(n)));
    }
    const QByteArray header = sampleLog.header().toUtf8();
    lockFolder({ logPath, eventsPath });
    ASSERT_FALSE(QFile(path(QStringLiteral("probe"))).open(QIODevice::WriteOnly));

    const TrimOutcome trimmed = TrimLog(logPath, 3, sampleLog);
    EXPECT_TRUE(trimmed.ok) << trimmed.error.toStdString();
    EXPECT_EQ(read(logPath),
        header + "\r\n" + QByteArray(header.size(), '-')
            + "\r\nWed 09 Dec 2026 10:07:00, 6.2\r\nWed 09 Dec 2026 10:08:00, 6.2\r\n"
              "Wed 09 Dec 2026 10:09:00, 6.2\r\n");
    EXPECT_TRUE(TrimLineEvents(logPath, 1).ok);
    EXPECT_TRUE(read(eventsPath).endsWith("-\r\nevent 9\r\n"));
    EXPECT_TRUE(sampleLog.writeLine(logPath, QStringLiteral("after")));

    // Neither the folder nor the file takes a write: the log stays, and the
    // user is told the error and the file.
    lockFile(logPath);
    const QByteArray before = read(logPath);
    const TrimOutcome refused = TrimLog(logPath, 1, sampleLog);
    EXPECT_FALSE(refused.ok);
    EXPECT_TRUE(refused.error.endsWith(QStringLiteral(": ") + logPath)) << refused.error.toStdString();
    EXPECT_GT(refused.error.size(), logPath.size() + 2);
    EXPECT_FALSE(sampleLog.trimBusy());
    EXPECT_EQ(read(logPath), before);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files),
        QStringList({ QStringLiteral("events.txt"), QStringLiteral("log.txt") }));
}

#ifdef LINEWARDEN_WITH_JPEG
QImage Picture(const QColor &colour)
{
    QImage picture(300, 200, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

// noise.jpg through the web image step (which reports the failure every
// sample) and a captured image through the codec the capture uses: the
// previous picture stays whole, no temporary file is left, and the next
// write after the disk has room again succeeds.
TEST_F(FullDiskTest, ImageWritesFailAndThePreviousPictureStays)
{
    Settings settings(SettingsContext {});
    settings.setFlag(SettingKey::Web, true);
    settings.setText(SettingKey::WebFolder, m_mountPoint.path());
    const WebServing serving;
    QColor colour = Qt::red;
    QStringList reports;
    WebImageStep noise(
        settings, serving, [&colour](const QSize &size) { return Picture(colour).scaled(size); },
        [&reports](const QString &message) { reports << message; });
    const LineSample sample;
    const PageLoad load { sample, QDateTime(QDate(2026, 12, 9), QTime(10, 0)), true, true };
    const QString capture = path(QStringLiteral("Noise Margin 20261209.jpg"));
    const auto writeBoth = [&] {
        noise.sampleTaken(load);
        return JpegCodec::save(Picture(colour), capture);
    };

    for (const bool full : { true, false }) {
        SCOPED_TRACE(full ? "full" : "read-only");
        colour = Qt::red;
        ASSERT_TRUE(writeBoth());
        ASSERT_TRUE(reports.isEmpty());
        const QByteArray noiseBefore = read(path(QStringLiteral("noise.jpg")));
        const QByteArray captureBefore = read(capture);

        refuseWrites(full);
        colour = Qt::blue;
        EXPECT_FALSE(writeBoth());
        EXPECT_EQ(reports, QStringList { WebImageStep::FailureText(m_mountPoint.path()) });
        EXPECT_EQ(read(path(QStringLiteral("noise.jpg"))), noiseBefore);
        EXPECT_EQ(read(capture), captureBefore);
        EXPECT_FALSE(JpegCodec::decode(read(capture)).isNull());
        allowWrites(full);

        reports.clear();
        EXPECT_TRUE(writeBoth());
        EXPECT_TRUE(reports.isEmpty());
        EXPECT_EQ(JpegCodec::decode(read(capture)).pixelColor(10, 10).blue(), 254);
        QStringList left = QDir(m_mountPoint.path()).entryList(QDir::Files);
        left.removeAll(QStringLiteral("filler"));
        EXPECT_EQ(left.size(), 2) << left.join(u' ').toStdString();
    }
}
#endif

} // namespace

int main(int argc, char **argv)
{
    // A private mount namespace, before any thread exists: mounts made here
    // are seen by this process only and vanish with it.
    if (unshare(CLONE_NEWNS) != 0)
        g_namespaceProblem = QString::fromLocal8Bit(std::strerror(errno));
    else if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        g_namespaceProblem = QString::fromLocal8Bit(std::strerror(errno));
#ifdef LINEWARDEN_WITH_JPEG
    // The header band on noise.jpg needs fonts, so a GUI application, off
    // any screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
