// The line's history: storing samples one transaction each (the time the
// writer thread spends per sample, median and 99th percentile, and the file
// size per sample at the default figures), queueing a sample on the
// sampling thread, and reading back a day of samples at 1 s.
#include "base/clock.h"
#include "outputs/history_database.h"
#include "outputs/history_store.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int kStored = 100000;
constexpr int kDay = 86400;

// Sample n of a line at the default figures (CRC and HEC errors), a
// sample every 30 s (or every second for the day read back).
HistoryRecord Sample(int n, int secondsApart = 30)
{
    HistoryRecord record;
    record.moment = QDateTime(QDate(2026, 12, 1), QTime(0, 0), Qt::UTC).addSecs(qint64(n) * secondsApart);
    record.noiseMarginUp = 5.0 + (n % 20) / 10.0;
    record.noiseMarginDown = 6.2 + (n % 7) / 10.0;
    record.speedUp = 1020;
    record.speedDown = 8128 - n % 50;
    record.uptimeSeconds = 1000000 + qint64(n) * secondsApart;
    record.statisticsPage = true;
    record.figures = { { UserFigure::CrcErrors, double(n / 3), double(n / 2) },
        { UserFigure::HecErrors, double(n / 40), double(n / 25) } };
    return record;
}

qint64 FilesSize(const QString &path)
{
    return QFileInfo(path).size() + QFileInfo(path + QStringLiteral("-wal")).size();
}

double Percentile(std::vector<qint64> &sorted, double fraction)
{
    return double(sorted[std::size_t(fraction * double(sorted.size() - 1))]) / 1000.0;
}

// What one sample costs the writer thread: an INSERT in its own
// transaction, WAL journal, synchronous NORMAL.
void BM_StoreSample(benchmark::State &state)
{
    for (auto _ : state) {
        QTemporaryDir dir;
        const QString path = dir.filePath(HistoryStore::fileName());
        HistoryDatabase database;
        if (!database.open(path, true)) {
            state.SkipWithError("no history file");
            return;
        }
        std::vector<qint64> nanoseconds;
        nanoseconds.reserve(kStored);
        QElapsedTimer timer;
        for (int n = 0; n < kStored; ++n) {
            const HistoryRecord record = Sample(n);
            timer.start();
            database.insert(record);
            nanoseconds.push_back(timer.nsecsElapsed());
        }
        database.close();
        std::sort(nanoseconds.begin(), nanoseconds.end());
        state.counters["median_us"] = Percentile(nanoseconds, 0.5);
        state.counters["p99_us"] = Percentile(nanoseconds, 0.99);
        state.counters["max_us"] = Percentile(nanoseconds, 1.0);
        state.counters["bytes_per_sample"] = double(FilesSize(path)) / kStored;
    }
}
BENCHMARK(BM_StoreSample)->Iterations(1)->Unit(benchmark::kMillisecond);

class FixedClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 9), QTime(10, 0)); }
};

// What a sample costs the sampling thread: queueing it for the writer.
void BM_QueueSample(benchmark::State &state)
{
    QTemporaryDir dir;
    const FixedClock clock;
    HistoryStore store(dir.path(), clock);
    store.open();
    int n = 0;
    for (auto _ : state)
        store.append(Sample(n++));
    store.waitForWrites();
}
BENCHMARK(BM_QueueSample)->Iterations(10000)->Unit(benchmark::kMicrosecond);

// A day of samples a second apart, read back in time order.
void BM_ReadDay(benchmark::State &state)
{
    QTemporaryDir dir;
    const FixedClock clock;
    {
        HistoryDatabase database;
        database.open(dir.filePath(HistoryStore::fileName()), false);
        for (int n = 0; n < kDay + 1000; ++n)
            database.insert(Sample(n, 1));
    }
    HistoryStore store(dir.path(), clock);
    store.open();
    const QDateTime from = Sample(500, 1).moment;
    const QDateTime to = Sample(500 + kDay - 1, 1).moment;
    for (auto _ : state) {
        const std::vector<HistoryRecord> day = store.read(from, to);
        if (day.size() != std::size_t(kDay))
            state.SkipWithError("not a whole day");
        benchmark::DoNotOptimize(day.data());
    }
}
BENCHMARK(BM_ReadDay)->Unit(benchmark::kMillisecond);

} // namespace
