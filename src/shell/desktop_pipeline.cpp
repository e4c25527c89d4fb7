#include "shell/desktop_pipeline.h"

#include "graphs/chart.h"
#include "graphs/graph_set.h"
#include "graphs/plot_step.h"
#include "outputs/capture_rules.h"
#include "outputs/capture_step.h"
#include "outputs/line_events_step.h"
#include "outputs/log_step.h"
#include "outputs/metrics_step.h"
#include "outputs/tray_step.h"
#include "outputs/web_image_step.h"
#include "sampling/sample_cycle.h"
#include "shell/capture_controls.h"
#include "shell/line_monitor.h"
#include "shell/main_window.h"
#include "shell/status_step.h"
#include "shell/tray_controller.h"
#include "shell/web_server_controls.h"

void AddDesktopSteps(LineMonitor &monitor, TForm1 &window)
{
    SamplePipeline &pipeline = monitor.pipeline();
    SampleCycle &cycle = monitor.cycle();
    pipeline.add(SamplePipeline::Stage::Plot, std::make_unique<PlotStep>(window.graphs()));
    WebImageServer &server = monitor.webServer();
    pipeline.add(SamplePipeline::Stage::WebImage,
        std::make_unique<WebImageStep>(
            monitor.settings(), server.serving(),
            [&window](const QSize &size) {
                window.graphs().setWebGraphSize(size);
                return window.graphs().Chart5->renderImage(size);
            },
            [&window](const QString &message) { window.webServer().showImageError(message); }));

    // The automatic captures; Start and Pause end a pending follow-up and
    // set the indicators.
    CaptureControls &capture = window.captureControls();
    pipeline.add(SamplePipeline::Stage::Capture,
        std::make_unique<CaptureStep>(capture.rules(), capture.capture(), window.graphs()));
    QObject::connect(&cycle, &SampleCycle::started, &capture.rules(), &CaptureRules::runStarted);
    QObject::connect(&cycle, &SampleCycle::paused, &capture.rules(), &CaptureRules::runPaused);

    // The tray icon after every sample, and "?" on Pause.
    auto tray = std::make_unique<TrayStep>(monitor.sample(), monitor.settings(),
        [&window](const QImage &icon, const QString &tooltip) { window.tray().showIcon(icon, tooltip); });
    TrayStep *trayStep = tray.get();
    pipeline.add(SamplePipeline::Stage::Tray, std::move(tray));
    QObject::connect(&cycle, &SampleCycle::paused, &window, [trayStep] { trayStep->paused(); });

    pipeline.add(SamplePipeline::Stage::Log, std::make_unique<LogStep>(monitor.log(), monitor.settings()));
    pipeline.add(SamplePipeline::Stage::Status,
        std::make_unique<StatusStep>(
            monitor.settings(), [&window](const StatusTexts &texts) { window.showStatusTexts(texts); }));
    pipeline.add(SamplePipeline::Stage::LineEvents,
        std::make_unique<LineEventsStep>(monitor.lineEvents(), monitor.settings(), server.figures()));
    pipeline.add(
        SamplePipeline::Stage::Metrics, std::make_unique<MetricsStep>(server.figures(), monitor.settings()));
    // Each event marks its sample, the newest plotted, on the Noise Margin graph.
    QObject::connect(
        &monitor.lineEvents(), &LineEventHistory::added, &window.graphs(), &GraphSet::markLineEvent);

    // The run state published with the figures follows the sample cycle.
    PublishedFiguresStore &figures = server.figures();
    const auto publishRunState = [&cycle, &figures] {
        figures.update([&cycle](PublishedFigures &f) { f.runState = cycle.runState(); });
    };
    QObject::connect(&cycle, &SampleCycle::runStateChanged, &window, publishRunState);
    publishRunState();
}
