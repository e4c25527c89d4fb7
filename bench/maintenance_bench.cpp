// The log trim on a 100 MB log kept to 1000 lines, and the capture folder
// size over a tree of 10 000 files, walked and kept.
#include "base/clock.h"
#include "outputs/maintenance.h"
#include "outputs/sample_log.h"
#include "shell/controls/folder_size_cache.h"
#include "shell/controls/size_texts.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/stat.h>

namespace {

constexpr qint64 kLogBytes = 100LL * 1024 * 1024;

// A value of /proc/self/status in KiB ("VmRSS", "VmHWM").
long StatusKiB(const std::string &field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0)
            return std::stol(line.substr(field.size() + 1));
    }
    return -1;
}

// Lets the next VmHWM reading show the peak from now on.
void ResetPeakMemory()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

// A log of realistic lines, written in small pieces so that making it does
// not raise the process's memory.
void WriteLog(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("Date/Time, Up SNR (dB), Down SNR (dB), Up Sync (Kbps), Down Sync (Kbps), Up CRC Errors, "
               "Down CRC Errors\r\n");
    file.write(QByteArray(109, '-') + "\r\n");
    qint64 written = file.size();
    QByteArray block;
    for (int i = 0; written < kLogBytes; ++i) {
        block += QStringLiteral(
            "Wed 09 Dec 2026  10:%1:%2,      6.2,      5.8,     1250,     7616,       37,        4\r\n")
                     .arg(i / 60 % 60, 2, 10, QLatin1Char('0'))
                     .arg(i % 60, 2, 10, QLatin1Char('0'))
                     .toLatin1();
        if (block.size() > 64 * 1024) {
            written += file.write(block);
            block.clear();
        }
    }
    file.write(block);
}

void BM_TrimLog100MB(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString master = dir.filePath(QStringLiteral("master.txt"));
    const QString log = dir.filePath(QStringLiteral("log.txt"));
    WriteLog(master);
    const qint64 size = QFileInfo(master).size();
    SampleLog sampleLog;
    long peakOverStart = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(log);
        QFile::copy(master, log);
        const long before = StatusKiB("VmRSS");
        ResetPeakMemory();
        state.ResumeTiming();

        const TrimOutcome outcome = TrimLog(log, 1000, sampleLog);
        benchmark::DoNotOptimize(outcome.ok);

        state.PauseTiming();
        peakOverStart = std::max(peakOverStart, StatusKiB("VmHWM") - before);
        if (!outcome.ok || QFileInfo(log).size() > 200 * 1000)
            state.SkipWithError("trim failed");
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["peak_extra_KiB"] = double(peakOverStart);
}
BENCHMARK(BM_TrimLog100MB)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// 10 000 captures of 30 KB in 100 folders under ten, as a long-running
// program leaves them; returns the capture folder.
QString MakeCaptureTree(const QTemporaryDir &dir, const QByteArray &jpeg)
{
    for (int folder = 0; folder < 100; ++folder) {
        const QString sub = dir.filePath(QStringLiteral("Capture/%1/%2").arg(folder % 10).arg(folder));
        QDir().mkpath(sub);
        for (int i = 0; i < 100; ++i) {
            QFile file(sub + QStringLiteral("/Wardn-Noise-%1.jpg").arg(i));
            file.open(QIODevice::WriteOnly);
            file.write(jpeg);
        }
    }
    return dir.filePath(QStringLiteral("Capture"));
}

void BM_FolderSize10000Files(benchmark::State &state)
{
    QTemporaryDir dir;
    const QByteArray jpeg(30 * 1024, 'j');
    const QString capture = MakeCaptureTree(dir, jpeg);
    for (auto _ : state)
        benchmark::DoNotOptimize(FolderSize(capture));
    state.SetItemsProcessed(state.iterations() * 10000);
    if (FolderSize(capture) != 10000LL * jpeg.size())
        state.SkipWithError("wrong total");
}
BENCHMARK(BM_FolderSize10000Files)->Unit(benchmark::kMillisecond)->UseRealTime();

// The status bar's capture folder size after a sample, the folders left
// alone for a while: one look at each folder's time instead of a walk.
void BM_CaptureFolderSizeKept10000Files(benchmark::State &state)
{
    QTemporaryDir dir;
    const QByteArray jpeg(30 * 1024, 'j');
    const QString capture = MakeCaptureTree(dir, jpeg);
    const timespec hourAgo { ::time(nullptr) - 3600, 0 };
    const timespec times[2] = { hourAgo, hourAgo };
    QDirIterator folders(capture, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (folders.hasNext())
        ::utimensat(AT_FDCWD, QFile::encodeName(folders.next()).constData(), times, 0);
    ::utimensat(AT_FDCWD, QFile::encodeName(capture).constData(), times, 0);
    FolderSizeCache sizes(Clock::system());
    for (auto _ : state)
        benchmark::DoNotOptimize(sizes.size(capture));
    if (sizes.size(capture) != 10000LL * jpeg.size())
        state.SkipWithError("wrong total");
}
BENCHMARK(BM_CaptureFolderSizeKept10000Files)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace
