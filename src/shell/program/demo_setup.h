#pragma once

#include "shell/commands/command_line.h"
#include "shell/program/data_folder.h"

#include <QTextStream>

#include <memory>

class LineMonitor;
class SimulatedRouter;

// The simulated router a demo runs against, started on 127.0.0.1; none
// (with the reason on err) when it did not start.
std::unique_ptr<SimulatedRouter> StartDemoRouter(bool typeA, QTextStream &err);

// The demo's own folder unless --data-dir names one.
DataFolder DemoFolder(const CommandLine &commandLine);

// Points the demo's settings at the simulated router: its address and
// password, its statistics page, automatic login, logging on, 10 s samples;
// the file is written so the program sees a configured router. Whatever
// else the folder's settings file holds stays as it was.
bool WriteDemoSettings(LineMonitor &monitor, const SimulatedRouter &router, bool typeA);
