// The page-loaded handler on a Type A statistics page while sampling runs:
// from document-complete to the end of the per-sample pipeline, without
// the page load itself (with the log step writing the line, logging on).
#include "base/clock.h"
#include "base/settings.h"
#include "bench_support.h"
#include "outputs/log_step.h"
#include "outputs/sample_log.h"
#include "sampling/browser_view.h"
#include "sampling/line_sample.h"
#include "sampling/router_navigation.h"
#include "sampling/sample_cycle.h"
#include "sampling/sample_pipeline.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void PageLoadedHandlerTypeA(benchmark::State &state)
{
    QFile file(QStringLiteral(LINEWARDEN_SAMPLES "/hub-a-statistics.html"));
    if (!file.open(QIODevice::ReadOnly)) {
        state.SkipWithError("sample page missing");
        return;
    }
    QuietBrowserView view;
    view.snapshot.emplace();
    view.snapshot->url = QStringLiteral("http://192.168.1.254/index.cgi?active%5fpage=9118&nav%5fclear=1");
    view.snapshot->bodyHtml = QString::fromUtf8(file.readAll());
    QTemporaryDir folder;
    Settings settings(SettingsContext { folder.path(), nullptr, QRect(), QLocale::system() });
    settings.setInteger(SettingKey::Type, 0);
    settings.setFlag(SettingKey::cbLog, true);
    SampleLog log;
    SamplePipeline pipeline;
    pipeline.add(SamplePipeline::Stage::Log, std::make_unique<LogStep>(log, settings));
    NavigationUrls urls;
    LineSample sample;
    SampleCycle cycle(view, urls, sample, Clock::system());
    RouterNavigation navigation(view, cycle, urls, sample, Clock::system(), settings, pipeline);
    navigation.WebBrowser1DocumentComplete(); // learns the page and starts sampling
    for (auto _ : state) {
        navigation.WebBrowser1DocumentComplete();
        benchmark::DoNotOptimize(sample.logLine);
    }
}
BENCHMARK(PageLoadedHandlerTypeA)->Unit(benchmark::kMicrosecond);

} // namespace
