#include "shell/program/desktop_wiring.h"

#include "graphs/graph_panels.h"
#include "shell/controls/capture_controls.h"
#include "shell/controls/log_controls.h"
#include "shell/controls/router_access_controls.h"
#include "shell/controls/status_bar.h"
#include "shell/controls/web_server_controls.h"
#include "shell/program/line_monitor.h"
#include "shell/windows/main_window.h"
#include "shell/windows/maintenance_window.h"
#include "shell/windows/more_advanced_settings_dialog.h"

#include <QAction>
#include <QTabWidget>

namespace {

// Every tab change takes the highlights of the groups away; the router
// access box goes back to normal as soon as another tab is pressed.
void FollowTabs(TForm1 &window)
{
    const QTabWidget &pages = *window.PageControl1;
    window.routerAccess().followTabs(pages);
    QObject::connect(
        &pages, &QTabWidget::currentChanged, &window.graphs(), &GraphPanels::clearUserGroupHighlight);
    window.logControls().followTabs(pages);
}

// "Configure Image Capture..." and "Configure Logging..." each highlight
// their own group and take the other's highlight away.
void PairConfigureHighlights(CaptureControls &capture, LogControls &log)
{
    QObject::connect(capture.mnuConfigCap, &QAction::triggered, &log, &LogControls::clearHighlight);
    QObject::connect(
        &log, &LogControls::graphsHighlightCleared, &capture, &CaptureControls::clearGraphsHighlight);
}

} // namespace

void WireDesktopParts(TForm1 &window)
{
    // The router type and the password may change only while not sampling.
    window.routerAccess().followCycle(window.monitor().cycle());
    FollowTabs(window);
    PairConfigureHighlights(window.captureControls(), window.logControls());
    // The maintenance window's "View" of the log opens it as the toolbar's
    // "ViewLog" does.
    QObject::connect(window.Form5, &TForm5::logViewWanted, &window.logControls(), &LogControls::btnLogClick);
    // The web folder closed in the more advanced settings answers the web
    // server's next request.
    QObject::connect(
        window.Form7, &TForm7::applied, &window.webServer(), &WebServerControls::followWebFolder);
    // What goes wrong with the history shows on the status bar.
    QObject::connect(
        &window.monitor(), &LineMonitor::historyProblem, &window.statusPanels(), &StatusBar::showProblem);
}
