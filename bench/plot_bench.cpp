// The cost of one plotted sample must follow the visible page, not the
// history: one PlotSample plus a redraw of the shown graph, with 1 000,
// 100 000 and 1 000 000 samples already plotted; and the memory a plotted
// sample takes across all ten series.
#include "base/clock.h"
#include "base/settings.h"
#include "base/settings_bindings.h"
#include "bench_support.h"
#include "graphs/chart.h"
#include "graphs/graph_model.h"
#include "sampling/line_sample.h"

#include <QCoreApplication>
#include <QVBoxLayout>
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <memory>

namespace {

// A window showing the Noise Margin graph, the graph model behind it.
struct ShownGraphs {
    ShownGraphs()
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

    void plot(int samples)
    {
        for (int i = 0; i < samples; ++i) {
            moments.step();
            sample.noiseMarginUp = 6 + (i % 7) * 0.1;
            sample.noiseMarginDown = 9 + (i % 5) * 0.1;
            sample.speedUp = 448 + i % 3;
            sample.speedDown = 7000 + i % 11;
            sample.user1Up = sample.user1Down = i;
            sample.user2Up = sample.user2Down = i / 2;
            graphs.setLabelSpacing();
            graphs.PlotSample(sample, moments.now());
        }
    }

    SteppingClock moments;
    LineSample sample;
    Settings settings { SettingsContext { QString(), &moments, QRect(), QLocale::system() } };
    GraphModel graphs { moments, settings };
    QWidget window;
    Chart *noiseMargin = nullptr; // child of window
};

void BM_PlotSampleAndRedraw(benchmark::State &state)
{
    ShownGraphs shown;
    shown.plot(static_cast<int>(state.range(0)));
    shown.noiseMargin->refreshNow();
    for (auto _ : state) {
        shown.plot(1);
        shown.noiseMargin->refreshNow();
    }
    state.counters["plotted"] = static_cast<double>(shown.graphs.PlotCount());
}
BENCHMARK(BM_PlotSampleAndRedraw)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(300);

// Heap taken by the plotted samples, per sample, all ten series together.
void BM_MemoryPerSample(benchmark::State &state)
{
    const auto samples = static_cast<int>(state.range(0));
    for (auto _ : state) {
        ShownGraphs shown;
        const size_t before = mallinfo2().uordblks;
        shown.plot(samples);
        const size_t after = mallinfo2().uordblks;
        state.counters["bytes_per_sample"]
            = static_cast<double>(after - before) / static_cast<double>(samples);
    }
}
BENCHMARK(BM_MemoryPerSample)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
