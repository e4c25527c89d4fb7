// The web image step at 500 x 300 with a full page of points on the web
// graph: draw, header band, JPEG encoding, write and rename of noise.jpg,
// per sample. The goal is 10 ms or less.
#include "base/clock.h"
#include "base/settings.h"
#include "base/settings_bindings.h"
#include "bench_support.h"
#include "graphs/graph_model.h"
#include "graphs/web_graph_renderer.h"
#include "outputs/web_image_step.h"
#include "outputs/web_serving.h"
#include "sampling/line_sample.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_WebImageStep(benchmark::State &state)
{
    SteppingClock moments;
    LineSample sample;
    Settings settings { SettingsContext { QString(), &moments, QRect(), QLocale::system() } };
    GraphModel graphs(moments, settings);
    SettingsBindings bindings;
    graphs.bindSettings(bindings);
    bindings.applyInLoadOrder();
    graphs.startUp();
    WebGraphRenderer renderer(graphs);
    for (int i = 0; i < 480; ++i) {
        moments.step();
        sample.noiseMarginUp = 6 + (i % 7) * 0.1;
        sample.noiseMarginDown = 9 + (i % 5) * 0.1;
        graphs.PlotSample(sample, moments.now());
    }
    sample.speedUpText = QStringLiteral("1250");
    sample.speedDownText = QStringLiteral("7616");
    sample.uptimeText = QStringLiteral("2 days, 01:02:03");

    QTemporaryDir folder;
    settings.setText(SettingKey::WebFolder, folder.path());
    settings.setFlag(SettingKey::Web, true);
    settings.setText(SettingKey::webWidth, QStringLiteral("500"));
    settings.setText(SettingKey::webHeight, QStringLiteral("300"));
    WebServing serving;
    int failures = 0;
    WebImageStep step(
        settings, serving, [&renderer](const QSize &size) { return renderer.draw(size); },
        [&failures](const QString &) { ++failures; });
    const PageLoad load { sample, moments.now(), true, true };
    for (auto _ : state)
        step.sampleTaken(load);
    state.counters["failures"] = failures;
}
BENCHMARK(BM_WebImageStep)->Unit(benchmark::kMillisecond)->MinTime(3);

} // namespace
