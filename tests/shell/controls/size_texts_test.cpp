#include "shell/controls/size_texts.h"

#include "base/clock.h"
#include "base/settings.h"
#include "shell/controls/folder_size_cache.h"
#include "shell/controls/status_step.h"

#include "support/fake_clock.h"
#include "support/qt_printers.h"
#include "support/temp_data_dir.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

const QLocale kUk(QLocale::English, QLocale::UnitedKingdom);

TEST(SizeTexts, FormatSizeTable)
{
    const struct {
        qint64 count;
        const char *text;
    } rows[] = {
        { 0, "[no files]" },
        { 500, "500 bytes" },
        { 1024, "1024 bytes" },
        { 1025, "1 KB" },
        { 1536, "1.5 KB" },
        { 2048, "2 KB" },
        { 1048576, "1024 KB" },
        { 1048577, "1 MB" },
        { -1, "-1 bytes" },
        { 1100, "1.07 KB" },
        { 1073741824, "1024 MB" },
        { 1073741825, "1 GB" },
        { 5368709120LL, "5 GB" },
        { 3006477107LL, "2.8 GB" },
        { 1048575, "1024 KB" },
    };
    for (const auto &row : rows)
        EXPECT_EQ(FormatSize(row.count, kUk), QString::fromLatin1(row.text)) << row.count;
}

TEST(SizeTexts, UsesTheLocaleDecimalSeparatorWithoutGrouping)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(FormatSize(1536, german), QStringLiteral("1,5 KB"));
    EXPECT_EQ(FormatSize(1000, german), QStringLiteral("1000 bytes"));
}

TEST(SizeTexts, FileAndFolderSizes)
{
    TempDataDir dir;
    ASSERT_TRUE(dir.writeFile(QStringLiteral("cap/a.jpg"), QByteArray(1000, 'a')));
    ASSERT_TRUE(dir.writeFile(QStringLiteral("cap/sub/b.jpg"), QByteArray(200, 'b')));
    ASSERT_TRUE(dir.writeFile(QStringLiteral("cap/.hidden/c.jpg"), QByteArray(30, 'c')));
    ASSERT_TRUE(dir.writeFile(QStringLiteral("cap/.d"), QByteArray(4, 'd')));
    EXPECT_EQ(FileSizeOf(dir.filePath(QStringLiteral("cap/a.jpg"))), 1000);
    EXPECT_EQ(FileSizeOf(dir.filePath(QStringLiteral("cap/none.jpg"))), -1);
    EXPECT_EQ(FileSizeOf(dir.filePath(QStringLiteral("cap"))), -1);
    EXPECT_EQ(FolderSize(dir.filePath(QStringLiteral("cap"))), 1234);
    EXPECT_EQ(FolderSize(dir.filePath(QStringLiteral("cap/"))), 1234);
    // A link back up the tree is not followed.
    ASSERT_TRUE(
        QFile::link(dir.filePath(QStringLiteral("cap")), dir.filePath(QStringLiteral("cap/sub/loop"))));
    EXPECT_EQ(FolderSize(dir.filePath(QStringLiteral("cap"))), 1234);
}

TEST(SizeTexts, PanelTexts)
{
    TempDataDir dir;
    const QString log = dir.filePath(QStringLiteral("log.txt"));
    const QString capture = dir.filePath(QStringLiteral("Capture"));
    EXPECT_EQ(LogPanelTextAtStartUp(log, kUk), QString());
    EXPECT_EQ(LogPanelTextAfterSample(log, true, kUk), QStringLiteral("log.txt:   -1 bytes"));
    EXPECT_EQ(CapturePanelText(capture, kUk), QString());

    ASSERT_TRUE(dir.writeFile(QStringLiteral("log.txt"), QByteArray(1536, 'x')));
    ASSERT_TRUE(QDir().mkpath(capture + QStringLiteral("/empty")));
    EXPECT_EQ(LogPanelTextAtStartUp(log, kUk), QStringLiteral("log.txt:   1.5 KB"));
    EXPECT_EQ(LogPanelTextAfterSample(log, false, kUk), QString());
    EXPECT_EQ(CapturePanelText(capture, kUk), QStringLiteral("Capture folder:  [no files]"));
    EXPECT_EQ(StartPanelText(QDateTime(QDate(2026, 12, 9), QTime(7, 5, 4)), kUk),
        QStringLiteral("Start: Wed 09 December 07:05:04"));
}

// After each sample the status step measures the log (while logging is on)
// and the capture folder.
TEST(SizeTexts, StatusStepMeasuresTheLogAndTheCaptureFolder)
{
    TempDataDir dir;
    Settings settings(SettingsContext { dir.path(), nullptr, QRect(), kUk });
    ASSERT_TRUE(dir.writeFile(QStringLiteral("log.txt"), QByteArray(1536, 'x')));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Capture")));
    QList<StatusTexts> shown;
    StatusStep step(settings, Clock::system(), [&shown](const StatusTexts &texts) { shown << texts; });
    LineSample sample;
    const PageLoad load { sample, QDateTime(), true, true };

    step.sampleTaken(load);
    settings.setFlag(SettingKey::cbLog, true);
    step.sampleTaken(load);
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown.at(0).log.isEmpty());
    EXPECT_EQ(shown.at(1).log, QStringLiteral("log.txt:   1.5 KB"));
    EXPECT_EQ(shown.at(1).captureFolder, QStringLiteral("Capture folder:  [no files]"));
}

// Sets the modification time of the folder and its subfolders an hour back,
// as folders left alone for a while are.
void AgeFolders(const QString &root)
{
    QStringList folders { root };
    QDirIterator it(root, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        folders << it.next();
    const timespec hourAgo { ::time(nullptr) - 3600, 0 };
    const timespec times[2] = { hourAgo, hourAgo };
    for (const QString &folder : folders)
        ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(folder).constData(), times, 0), 0);
}

bool Append(const QString &path, int bytes)
{
    QFile file(path);
    return file.open(QIODevice::Append) && file.write(QByteArray(bytes, 'x')) == bytes;
}

// The kept size follows every file added or removed anywhere in the tree at
// the next call; a file that grows in place shows at the next walk, made at
// least once a minute, and at once when the folders had only just changed.
TEST(SizeTexts, FolderSizeCacheFollowsTheFolder)
{
    TempDataDir dir;
    const QString root = dir.path() + QStringLiteral("/Capture");
    ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("/sub")));
    ASSERT_TRUE(Append(root + QStringLiteral("/a.jpg"), 100));
    ASSERT_TRUE(Append(root + QStringLiteral("/sub/b.jpg"), 50));
    AgeFolders(root);
    FakeClock clock(QDateTime::currentDateTime());
    FolderSizeCache sizes(clock);

    const struct {
        const char *what;
        std::function<bool()> change;
        int secondsLater;
        qint64 size;
    } steps[] = {
        { "first walk", [] { return true; }, 0, 150 },
        { "a file grown in place is held", [&] { return Append(root + QStringLiteral("/a.jpg"), 10); }, 0,
            150 },
        { "until the next walk a minute on", [] { return true; }, FolderSizeCache::RewalkSeconds, 160 },
        { "a file added in a subfolder", [&] { return Append(root + QStringLiteral("/sub/c.jpg"), 25); }, 1,
            185 },
        { "a file removed", [&] { return QFile::remove(root + QStringLiteral("/a.jpg")); }, 1, 75 },
        { "a subfolder removed", [&] { return QDir(root + QStringLiteral("/sub")).removeRecursively(); }, 1,
            0 },
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.what);
        ASSERT_TRUE(step.change());
        clock.advanceSeconds(step.secondsLater);
        EXPECT_EQ(sizes.size(root), step.size);
    }

    // Folders changed just before a walk may change again within the same
    // tick of their time: that walk is not kept.
    FakeClock now(QDateTime::currentDateTime());
    FolderSizeCache fresh(now);
    ASSERT_TRUE(Append(root + QStringLiteral("/d.jpg"), 5));
    EXPECT_EQ(fresh.size(root), 5);
    ASSERT_TRUE(Append(root + QStringLiteral("/d.jpg"), 5));
    EXPECT_EQ(fresh.size(root), 10);
}

} // namespace
