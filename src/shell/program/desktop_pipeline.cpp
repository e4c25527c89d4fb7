#include "shell/program/desktop_pipeline.h"

#include "graphs/graph_model.h"
#include "outputs/desktop_notifier.h"
#include "outputs/line_event_history.h"
#include "outputs/line_event_notifier.h"
#include "outputs/tray_step.h"
#include "sampling/router_navigation.h"
#include "shell/controls/capture_controls.h"
#include "shell/controls/status_step.h"
#include "shell/controls/tray_controller.h"
#include "shell/controls/web_server_controls.h"
#include "shell/program/line_monitor.h"
#include "shell/program/shared_steps.h"
#include "shell/windows/main_window.h"

void AddDesktopSteps(LineMonitor &monitor, TForm1 &window)
{
    CaptureControls &capture = window.captureControls();
    AddSharedSteps(monitor, GraphOutputs { capture.rules(), capture.capture() },
        [&window](const QString &message) { window.webServer().showImageError(message); });

    // The tray icon after every sample, and "?" on Pause; its tooltip after
    // every page load, whether or not the load reached the pipeline.
    SamplePipeline &pipeline = monitor.pipeline();
    auto tray = std::make_unique<TrayStep>(monitor.settings(),
        [&window](const QImage &icon, const QString &tooltip) { window.tray().showIcon(icon, tooltip); });
    TrayStep *trayStep = tray.get();
    pipeline.add(SamplePipeline::Stage::Tray, std::move(tray));
    const LineSample &sample = monitor.sample();
    QObject::connect(&monitor.navigation(), &RouterNavigation::pageHandled, &window,
        [trayStep, &sample] { trayStep->pageHandled(sample); });

    pipeline.add(SamplePipeline::Stage::Status,
        std::make_unique<StatusStep>(monitor.settings(), monitor.clock(),
            [&window](const StatusTexts &texts) { window.showStatusTexts(texts); }));
    // Each line event marks its sample, the newest plotted, on the Noise
    // Margin graph.
    QObject::connect(
        &monitor.lineEvents(), &LineEventHistory::added, &monitor.graphs(), &GraphModel::markLineEvent);

    // While the option is on, each line event is a desktop notification; a
    // desktop without a notification service shows it at the tray icon.
    auto *desktop = new DesktopNotifier(
        [&window](const QString &summary, const QString &body) { window.tray().showMessage(summary, body); },
        QString(), &window);
    new LineEventNotifier(
        monitor.lineEvents(), monitor.settings(), monitor.clock(), monitor.settings().context().locale,
        [desktop](const EventNotice &notice) { desktop->notify(notice.summary, notice.body); }, &window);
}
