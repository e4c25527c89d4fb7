#pragma once

#include <QProcess>
#include <QString>

// Starts the real program as a user would run its demo: against the
// simulated Type A router, a sample a second, in dataDir, reporting each
// sample on its output (merged with its errors). act, when given, is what
// the demo does once after its first sample (LINEWARDEN_DEMO_ACT).
void StartDemoProgram(
    QProcess &program, const QString &executable, const QString &dataDir, const QString &act = QString());
