// The cost of one plotted sample must follow the visible page, not the
// history: one PlotSample plus a redraw of the shown graph, with 1 000,
// 100 000 and 1 000 000 samples already plotted; and the memory a plotted
// sample takes across all ten series.
#include "base/clock.h"
#include "graphs/chart.h"
#include "graphs/graph_host.h"
#include "graphs/graph_set.h"
#include "sampling/line_sample.h"

#include <QApplication>
#include <QVBoxLayout>
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <memory>

namespace {

class SteppingClock final : public Clock {
public:
    QDateTime now() const override { return m_now; }
    void step() { m_now = m_now.addSecs(30); }

private:
    QDateTime m_now = QDateTime(QDate(2026, 12, 9), QTime(10, 0, 0), Qt::UTC);
};

class BenchHost final : public GraphHost {
public:
    BenchHost() { sample.pageRead = true; }
    bool isRunning() const override { return true; }
    LineSample &lineSample() override { return sample; }
    const Clock &clock() const override { return moments; }
    void pauseSampling() override { }
    void startSampling() override { }
    void holdSampling() override { }
    void releaseSampling() override { }
    void setSampleSeconds(int) override { }
    void setLogHeader(const QString &) override { }
    void setLogHeaderPending() override { }
    void showAdvancedTab() override { }

    LineSample sample;
    SteppingClock moments;
};

// A window showing the Noise Margin graph, the graph set behind it.
struct ShownGraphs {
    ShownGraphs()
    {
        graphs = new GraphSet(host, &window);
        graphs->startUp(GraphSettings());
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(graphs->TabSheet1);
        window.resize(1000, 700);
        window.show();
        QCoreApplication::processEvents();
    }

    void plot(int samples)
    {
        for (int i = 0; i < samples; ++i) {
            host.moments.step();
            host.sample.noiseMarginUp = 6 + (i % 7) * 0.1;
            host.sample.noiseMarginDown = 9 + (i % 5) * 0.1;
            host.sample.speedUp = 448 + i % 3;
            host.sample.speedDown = 7000 + i % 11;
            host.sample.user1Up = host.sample.user1Down = i;
            host.sample.user2Up = host.sample.user2Down = i / 2;
            graphs->PlotSample();
        }
    }

    BenchHost host;
    QWidget window;
    GraphSet *graphs = nullptr; // child of window
};

void BM_PlotSampleAndRedraw(benchmark::State &state)
{
    ShownGraphs shown;
    shown.plot(static_cast<int>(state.range(0)));
    shown.graphs->Chart1->refreshNow();
    for (auto _ : state) {
        shown.plot(1);
        shown.graphs->Chart1->refreshNow();
    }
    state.counters["plotted"] = static_cast<double>(shown.graphs->PlotCount());
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

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
