#pragma once

#include "shell/commands/command_line.h"

#include <QTextStream>

#include <functional>

class SimulatedRouter;

// Runs `--simulate-hub A|B [--port N]`: serves the simulated router on
// 127.0.0.1, prints the address to open, and stops on SIGINT or SIGTERM.
// 0 when it ran, 1 with a one-line message when the router cannot listen.
int RunSimulateHub(const CommandLine &line);

// The same with the streams given; untilStopped returns when the router is
// to stop.
int RunSimulateHub(const CommandLine &line, QTextStream &out, QTextStream &err,
    const std::function<void(const SimulatedRouter &)> &untilStopped);
