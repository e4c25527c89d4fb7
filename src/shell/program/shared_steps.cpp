#include "shell/program/shared_steps.h"

#include "graphs/graph_model.h"
#include "graphs/plot_step.h"
#include "graphs/web_graph_renderer.h"
#include "outputs/capture_step.h"
#include "outputs/history_step.h"
#include "outputs/line_events_step.h"
#include "outputs/log_step.h"
#include "outputs/metrics_step.h"
#include "outputs/web_image_step.h"
#include "sampling/router_navigation.h"
#include "sampling/sample_cycle.h"
#include "shell/program/line_monitor.h"

void AddSharedSteps(LineMonitor &monitor, const GraphOutputs &outputs,
    std::function<void(const QString &message)> reportImageError)
{
    SamplePipeline &pipeline = monitor.pipeline();
    GraphModel &graphs = monitor.graphs();
    pipeline.add(SamplePipeline::Stage::Plot, std::make_unique<PlotStep>(graphs));
    // The web graph has a renderer of its own, kept as long as the step.
    auto renderer = std::make_shared<WebGraphRenderer>(graphs);
    WebImageServer &server = monitor.webServer();
    pipeline.add(SamplePipeline::Stage::WebImage,
        std::make_unique<WebImageStep>(
            monitor.settings(), server.serving(),
            [renderer](const QSize &size) { return renderer->draw(size); }, std::move(reportImageError)));

    // The automatic captures.
    pipeline.add(
        SamplePipeline::Stage::Capture, std::make_unique<CaptureStep>(outputs.rules, outputs.capture));

    pipeline.add(SamplePipeline::Stage::Log, std::make_unique<LogStep>(monitor.log(), monitor.settings()));
    // Every sample goes into the history, logged or not.
    pipeline.add(SamplePipeline::Stage::History,
        std::make_unique<HistoryStep>([&monitor] { return monitor.history(); }));
    pipeline.add(SamplePipeline::Stage::LineEvents,
        std::make_unique<LineEventsStep>(monitor.lineEvents(), monitor.settings(), server.figures()));
    // The run state published with the figures follows the sample cycle
    // from the state it is in now; the interval is the sample timer's, the
    // demo's faster one included.
    const SampleCycle &cycle = monitor.cycle();
    auto metrics
        = std::make_unique<MetricsStep>(server.figures(), [&cycle] { return cycle.timer1().interval(); });
    metrics->runStateChanged(monitor.cycle().runState());
    pipeline.add(SamplePipeline::Stage::Metrics, std::move(metrics));
}
