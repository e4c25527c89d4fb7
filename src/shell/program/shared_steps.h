#pragma once

#include <QString>

#include <functional>

class CaptureRules;
class GraphCapture;
class LineMonitor;

// The captures a program makes of its graphs, and their rules.
struct GraphOutputs {
    CaptureRules &rules;
    GraphCapture &capture;
};

// The per-sample steps of every way the program runs, with or without
// windows: plot, the automatic captures, the web image, the log, the
// history and the figures of /metrics with the run state published beside them.
// reportImageError tells of a web image that was not written.
void AddSharedSteps(LineMonitor &monitor, const GraphOutputs &outputs,
    std::function<void(const QString &message)> reportImageError);
