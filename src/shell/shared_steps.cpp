#include "shell/shared_steps.h"

#include "graphs/graph_model.h"
#include "graphs/plot_step.h"
#include "graphs/web_graph_renderer.h"
#include "outputs/capture_rules.h"
#include "outputs/capture_step.h"
#include "outputs/line_events_step.h"
#include "outputs/log_step.h"
#include "outputs/metrics_step.h"
#include "outputs/web_image_step.h"
#include "sampling/sample_cycle.h"
#include "shell/line_monitor.h"

void AddSharedSteps(LineMonitor &monitor, const GraphOutputs &outputs,
    std::function<void(const QString &message)> reportImageError, QObject *context)
{
    SamplePipeline &pipeline = monitor.pipeline();
    SampleCycle &cycle = monitor.cycle();
    GraphModel &graphs = monitor.graphs();
    pipeline.add(SamplePipeline::Stage::Plot, std::make_unique<PlotStep>(graphs));
    // The web graph has a renderer of its own, kept as long as the step.
    auto renderer = std::make_shared<WebGraphRenderer>(graphs);
    WebImageServer &server = monitor.webServer();
    pipeline.add(SamplePipeline::Stage::WebImage,
        std::make_unique<WebImageStep>(
            monitor.settings(), server.serving(),
            [renderer](const QSize &size) { return renderer->draw(size); }, std::move(reportImageError)));

    // The automatic captures; Start and Pause end a pending follow-up and
    // set the indicators.
    pipeline.add(SamplePipeline::Stage::Capture,
        std::make_unique<CaptureStep>(outputs.rules, outputs.capture, graphs));
    QObject::connect(&cycle, &SampleCycle::started, &outputs.rules, &CaptureRules::runStarted);
    QObject::connect(&cycle, &SampleCycle::paused, &outputs.rules, &CaptureRules::runPaused);

    pipeline.add(SamplePipeline::Stage::Log, std::make_unique<LogStep>(monitor.log(), monitor.settings()));
    pipeline.add(SamplePipeline::Stage::LineEvents,
        std::make_unique<LineEventsStep>(monitor.lineEvents(), monitor.settings(), server.figures()));
    pipeline.add(
        SamplePipeline::Stage::Metrics, std::make_unique<MetricsStep>(server.figures(), monitor.settings()));

    // The run state published with the figures follows the sample cycle.
    PublishedFiguresStore &figures = server.figures();
    const auto publishRunState = [&cycle, &figures] {
        figures.update([&cycle](PublishedFigures &f) { f.runState = cycle.runState(); });
    };
    QObject::connect(&cycle, &SampleCycle::runStateChanged, context, publishRunState);
    publishRunState();
}
