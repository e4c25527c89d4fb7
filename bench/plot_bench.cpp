// What one plotted sample costs on the screen. The shown graph (Noise
// Margin, 1000 x 700, the other three graphs on hidden pages) with a page
// of points already plotted takes one more sample and is drawn: the plotting
// step, the chart's rebuild and replot, and the paint into the window the
// way an update request paints it; the target is 1 ms a sample at the
// default page of 480 points. The same step with 1 000, 100 000 and
// 1 000 000 samples plotted shows that the cost follows the page, not the
// history. And the memory a plotted sample takes across all ten series.
#include "base/clock.h"
#include "base/settings.h"
#include "base/settings_bindings.h"
#include "bench_support.h"
#include "graphs/chart.h"
#include "graphs/graph_charts.h"
#include "graphs/graph_model.h"
#include "sampling/line_sample.h"

#include <QCoreApplication>
#include <QEvent>
#include <QStackedWidget>
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <memory>

namespace {

// Counts the paint events a widget receives.
class PaintCounter final : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

// A window of 1000 x 700 pixels showing the Noise Margin graph as its tab
// page would, the other visible graphs on pages behind it, and the graph
// model behind them.
struct ShownGraphs {
    ShownGraphs()
    {
        SettingsBindings bindings;
        graphs.bindSettings(bindings);
        bindings.applyInLoadOrder();
        graphs.startUp();
        for (int number = 1; number <= 4; ++number)
            pages.addWidget(&charts.chart(number));
        pages.setCurrentIndex(0);
        noiseMargin = &charts.chart(1);
        pages.resize(1000, 700);
        pages.show();
        QCoreApplication::processEvents();
    }

    void plot(int samples)
    {
        for (int i = 0; i < samples; ++i) {
            moments.step();
            const int n = graphs.PlotCount();
            sample.noiseMarginUp = 6 + (n % 7) * 0.1;
            sample.noiseMarginDown = 9 + (n % 5) * 0.1;
            sample.speedUp = 448 + n % 3;
            sample.speedDown = 7000 + n % 11;
            sample.user1Up = sample.user1Down = n;
            sample.user2Up = sample.user2Down = n / 2;
            graphs.setLabelSpacing();
            graphs.PlotSample(sample, moments.now());
        }
    }

    // One sample plotted and the shown graph on the screen: what the queued
    // refresh does, then the paint its update asks for.
    void plotAndPaint()
    {
        plot(1);
        noiseMargin->refreshNow();
        noiseMargin->mouseSurface()->repaint();
        QCoreApplication::processEvents(); // the refreshes left queued, now with nothing to do
    }

    SteppingClock moments;
    LineSample sample;
    Settings settings { SettingsContext { QString(), &moments, QRect(), QLocale::system() } };
    GraphModel graphs { moments, settings };
    QStackedWidget pages;
    GraphCharts charts { graphs, &pages };
    Chart *noiseMargin = nullptr; // child of pages
};

void RunPlotAndPaint(benchmark::State &state, ShownGraphs &shown)
{
    shown.plotAndPaint();
    PaintCounter counter;
    shown.noiseMargin->mouseSurface()->installEventFilter(&counter);
    for (auto _ : state)
        shown.plotAndPaint();
    if (counter.paints < static_cast<int>(state.iterations()))
        state.SkipWithError("the graph was not painted every sample");
    state.counters["plotted"] = static_cast<double>(shown.graphs.PlotCount());
}

// The steady state of a running program: the first page of 480 points is
// full, and every sample scrolls the window by one point.
void BM_RedrawShownGraph(benchmark::State &state)
{
    ShownGraphs shown;
    if (shown.graphs.pageLength() != static_cast<int>(state.range(0))) {
        state.SkipWithError("the default page length is not the one asked for");
        return;
    }
    shown.plot(static_cast<int>(state.range(0)));
    RunPlotAndPaint(state, shown);
}
BENCHMARK(BM_RedrawShownGraph)->Arg(480)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

// The same with a long history behind the page.
void BM_PlotSampleAndRedraw(benchmark::State &state)
{
    ShownGraphs shown;
    shown.plot(static_cast<int>(state.range(0)));
    RunPlotAndPaint(state, shown);
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
