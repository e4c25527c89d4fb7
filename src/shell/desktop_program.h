#pragma once

#include "shell/command_line.h"

#include <QTextStream>

// The desktop program: the main window over the real browser engine, until
// it closes. Needs a QApplication.
int RunDesktop(const CommandLine &commandLine, QTextStream &err);

// The desktop program against the simulated router, in its own data folder.
int RunDemo(const CommandLine &commandLine, QTextStream &err);
