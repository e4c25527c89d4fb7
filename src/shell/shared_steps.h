#pragma once

#include <QString>

#include <functional>

class CaptureRules;
class GraphCapture;
class GraphSet;
class LineMonitor;

// The graphs a program draws its samples on and the captures made of them.
struct GraphOutputs {
    GraphSet &graphs;
    CaptureRules &rules;
    GraphCapture &capture;
};

// The per-sample steps of every way the program runs, with or without
// windows: plot, the automatic captures, the web image, the log and the
// figures of /metrics with the run state published beside them; and the
// graphs' plot count and page length handed to every page load.
// reportImageError tells of a web image that was not written.
void AddSharedSteps(LineMonitor &monitor, const GraphOutputs &outputs,
    std::function<void(const QString &message)> reportImageError);

// The log's header follows the choices of the user-defined graphs. Made
// right after the graphs, before the settings are applied to them.
void FollowUserFigures(const GraphSet &graphs, LineMonitor &monitor);
