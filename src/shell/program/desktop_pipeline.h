#pragma once

class LineMonitor;
class TForm1;

// The desktop program's per-sample steps, in the pipeline of the monitor:
// plot on the window's graphs, the automatic captures, the tray icon, the
// web image, the log, the status bar's sizes, the line events (marked on
// the Noise Margin graph) and the figures of /metrics.
void AddDesktopSteps(LineMonitor &monitor, TForm1 &window);
