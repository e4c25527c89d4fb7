#pragma once

#include "shell/commands/command_line.h"

#include <QString>
#include <QTextStream>

// What --headless says, on one line, when the folder has no settings file.
QString NoSettingsText(const QString &settingsPath);

// The program without windows, for a machine with no desktop: the settings
// the desktop program wrote, the browser engine offscreen, the automatic
// Type A login, and after every sample the graphs in memory, the automatic
// captures, the web image, the web server with /metrics and the log, with
// one line per sample on out and what goes wrong on err. A termination
// signal ends it the way closing the window does. Needs a QApplication;
// with --demo it runs against the simulated router. The exit status: 0
// after a clean end, 1 when the settings could not be saved, 2 when it
// could not start.
int RunHeadless(const CommandLine &commandLine, QTextStream &out, QTextStream &err);
