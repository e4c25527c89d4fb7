// Filling the graphs from the last day of history at start-up: one day of
// samples at 1 s (86 400) must go in within 300 ms, one day at 30 s (2 880)
// within 20 ms, the first drawing of the Noise Margin graph included.
#include "base/settings.h"
#include "base/settings_bindings.h"
#include "bench_support.h"
#include "graphs/chart.h"
#include "graphs/graph_model.h"
#include "sampling/history_record.h"

#include <QCoreApplication>
#include <QVBoxLayout>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

std::vector<HistoryRecord> OneDay(int sampleSeconds)
{
    const QDateTime start(QDate(2026, 12, 8), QTime(10, 0, 0), Qt::UTC);
    std::vector<HistoryRecord> records;
    const int count = 86400 / sampleSeconds;
    records.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        HistoryRecord record;
        record.moment = start.addSecs(static_cast<qint64>(i) * sampleSeconds);
        record.statisticsPage = i % 500 != 0; // now and then the router did not answer
        record.noiseMarginUp = 6 + (i % 7) * 0.1;
        record.noiseMarginDown = 9 + (i % 5) * 0.1;
        record.speedUp = 448 + i % 3;
        record.speedDown = 7000 + i % 11;
        record.uptimeSeconds = i;
        record.figures = { { UserFigure::CrcErrors, double(i / 10), double(i) },
            { UserFigure::HecErrors, double(i / 20), double(i / 2) } };
        records.push_back(std::move(record));
    }
    return records;
}

// The graph model as start-up leaves it, the Noise Margin graph shown.
struct StartedGraphs {
    StartedGraphs()
    {
        SettingsBindings bindings;
        graphs.bindSettings(bindings);
        bindings.applyInLoadOrder();
        graphs.startUp();
        auto *layout = new QVBoxLayout(&window);
        noiseMargin = new Chart(graphs.graph(1), &window);
        layout->addWidget(noiseMargin);
        window.resize(1000, 700);
        window.show();
        QCoreApplication::processEvents();
    }

    SteppingClock clock;
    Settings settings { SettingsContext { QString(), &clock, QRect(), QLocale::system() } };
    GraphModel graphs { clock, settings };
    QWidget window;
    Chart *noiseMargin = nullptr; // child of window
};

void BM_FillOneDayFromHistory(benchmark::State &state)
{
    const std::vector<HistoryRecord> day = OneDay(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto started = std::make_unique<StartedGraphs>();
        state.ResumeTiming();
        started->graphs.plotHistory(day);
        started->noiseMargin->refreshNow();
        state.PauseTiming();
        started.reset();
        state.ResumeTiming();
    }
    state.counters["records"] = static_cast<double>(day.size());
}
BENCHMARK(BM_FillOneDayFromHistory)->Arg(1)->Arg(30)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace
