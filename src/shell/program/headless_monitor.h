#pragma once

#include "graphs/graph_charts.h"

#include <QTextStream>
#include <QWidget>

class CaptureRules;
class GraphCapture;
class LineMonitor;

// The parts of the main window that work without a screen: charts of the
// graph model, in an owner widget that is never shown, and nothing else of
// the graph pages (no fields, lists, buttons or menus), the captures made of
// them, the web server and the console line; and the close path of the
// window.
class HeadlessMonitor final {
public:
    HeadlessMonitor(LineMonitor &monitor, QWidget *browserWidget, QTextStream &out, QTextStream &err);
    Q_DISABLE_COPY_MOVE(HeadlessMonitor)

    // Applies the settings, adds the steps, starts the web server when it
    // is switched on and sends the browser to the router.
    void start(int sampleSecondsOverride);
    // The close path: stops the browser and the web server, captures the
    // graphs when that is chosen, and saves the settings. The exit status;
    // a second call only gives it again.
    int close();

private:
    void alwaysLogIn();
    void addSteps();
    void startWebServer();
    void reportProblems();

    LineMonitor &m_monitor;
    QTextStream &m_out;
    QTextStream &m_err;
    QWidget m_owner;
    GraphCharts m_charts; // children of m_owner
    CaptureRules *m_rules = nullptr; // child of m_owner
    GraphCapture *m_capture = nullptr; // child of m_owner
    bool m_closed = false;
    int m_exitStatus = 0;
};
