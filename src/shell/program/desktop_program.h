#pragma once

#include "shell/commands/command_line.h"
#include "shell/program/line_monitor.h"

#include <QTextStream>

class DataFolder;
class HelpFile;
class TForm1;

// Where the desktop program runs: the folder (created when missing), the
// system clock and the primary screen the window is centred on by default.
MonitorContext DesktopMonitorContext(const DataFolder &folder);

// The user guide written out at start goes with the window: "Help..."
// opens it (written out again when it went missing), and the close sequence
// deletes it.
void ConnectUserGuide(TForm1 &window, const HelpFile &help);

// The desktop program: the main window over the real browser engine, until
// it closes. Needs a QApplication.
int RunDesktop(const CommandLine &commandLine, QTextStream &err);

// The desktop program against the simulated router, in its own data folder.
int RunDemo(const CommandLine &commandLine, QTextStream &err);
