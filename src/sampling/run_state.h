#pragma once

#include <QString>

// Where sampling stands. The main window's title always shows it.
enum class RunState { Idle, Running, Paused, Stopped };

// "Linewarden", or "Linewarden   [Running]" and so on (three blanks).
QString RunStateTitle(RunState state);
