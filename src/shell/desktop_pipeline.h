#pragma once

class LineMonitor;
class TForm1;

// The desktop program's per-sample steps, in the pipeline of the monitor:
// plot on the window's graphs, the automatic captures, the tray icon, the
// log, and the status bar's sizes.
void AddDesktopSteps(LineMonitor &monitor, TForm1 &window);
