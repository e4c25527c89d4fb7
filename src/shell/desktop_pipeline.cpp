#include "shell/desktop_pipeline.h"

#include "graphs/plot_step.h"
#include "outputs/log_step.h"
#include "shell/line_monitor.h"
#include "shell/main_window.h"
#include "shell/status_step.h"

void AddDesktopSteps(LineMonitor &monitor, TForm1 &window)
{
    SamplePipeline &pipeline = monitor.pipeline();
    pipeline.add(SamplePipeline::Stage::Plot, std::make_unique<PlotStep>(window.graphs()));
    pipeline.add(SamplePipeline::Stage::Log, std::make_unique<LogStep>(monitor.log(), monitor.settings()));
    pipeline.add(SamplePipeline::Stage::Status,
        std::make_unique<StatusStep>(
            monitor.settings(), [&window](const StatusTexts &texts) { window.showStatusTexts(texts); }));
}
