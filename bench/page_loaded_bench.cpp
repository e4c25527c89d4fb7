// The page-loaded handler on a Type A statistics page while sampling runs:
// from document-complete to the end of the per-sample pipeline, without
// the page load itself (the window's pipeline steps cost nothing here).
#include "base/clock.h"
#include "base/settings_schema.h"
#include "sampling/browser_view.h"
#include "sampling/line_sample.h"
#include "sampling/router_navigation.h"
#include "sampling/router_navigation_host.h"
#include "sampling/sample_cycle.h"
#include "sampling/sample_cycle_host.h"

#include <QCoreApplication>
#include <QFile>

#include <benchmark/benchmark.h>

namespace {

class QuietView final : public BrowserView {
public:
    void navigate(const QString &, int) override { }
    void reload() override { }
    void stop() override { }
    void setSilent(bool) override { }
    void ensureWindow() override { }
    std::optional<DocumentSnapshot> document() const override { return snapshot; }
    void setFormFieldValue(int, const QString &, const QString &) override { }
    void clickLink(int) override { }
    void scrollBy(int, int) override { }
    void selectAll() override { }
    QString selectedText() const override { return {}; }

    DocumentSnapshot snapshot;
};

class QuietHost final : public SampleCycleHost, public RouterNavigationHost {
public:
    void hideNavigationHint() override { }
    void showStartTime(const QString &) override { }
    void runMaintenanceCheck() override { }
    void resetCaptureState(bool) override { }
    void setRouterControlsEnabled(bool) override { }
    void showTrayStopped() override { }
    void runStateChanged() override { }
    RouterAccess routerAccess() const override
    {
        RouterAccess access;
        access.type = 0;
        access.address = QStringLiteral("192.168.1.254");
        return access;
    }
    ReaderOptions readerOptions() const override
    {
        ReaderOptions options;
        options.user1Text = QStringLiteral("CRC Errors");
        options.user2Text = QStringLiteral("HEC Errors");
        return options;
    }
    QString logDateFormat() const override { return DefaultOf(SettingKey::LogDateFormat, {}).toString(); }
    void setStatisticsPath(int, const QString &) override { }
    void hideConnectingNotice() override { }
    void showHomeHubTab() override { }
    void showReadouts(const Readouts &) override { }
    void restoreCursor() override { }
    void setTrailVisible(bool) override { }
    void enableRunButton() override { }
    void showStatisticsUrl(const QString &) override { }
    void showNavigationHint(bool) override { }
    void PlotSample(bool) override { }
    void CaptureSample() override { }
    void TraySample() override { }
    void WebImageSample() override { }
    void LogSample() override { }
    void StatusSample() override { }
};

void PageLoadedHandlerTypeA(benchmark::State &state)
{
    QFile file(QStringLiteral(LINEWARDEN_SAMPLES "/hub-a-statistics.html"));
    if (!file.open(QIODevice::ReadOnly)) {
        state.SkipWithError("sample page missing");
        return;
    }
    QuietView view;
    view.snapshot.url = QStringLiteral("http://192.168.1.254/index.cgi?active%5fpage=9118&nav%5fclear=1");
    view.snapshot.bodyHtml = QString::fromUtf8(file.readAll());
    QuietHost host;
    NavigationUrls urls;
    LineSample sample;
    SampleCycle cycle(view, urls, sample, Clock::system(), host);
    RouterNavigation navigation(view, cycle, urls, sample, Clock::system(), host);
    navigation.WebBrowser1DocumentComplete(); // learns the page and starts sampling
    for (auto _ : state) {
        navigation.WebBrowser1DocumentComplete();
        benchmark::DoNotOptimize(sample.logLine);
    }
}
BENCHMARK(PageLoadedHandlerTypeA)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
