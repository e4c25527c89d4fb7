#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>

// Starts the real program as a user would run its demo: against the
// simulated Type A router, a sample a second, in dataDir, reporting each
// sample on its output (merged with its errors). act, when given, is what
// the demo does once after its first sample (LINEWARDEN_DEMO_ACT).
void StartDemoProgram(
    QProcess &program, const QString &executable, const QString &dataDir, const QString &act = QString());

// Reads the program's merged output into output until a line starting with
// prefix came (or the program ended, or a minute passed without output) and
// returns that line, empty when none came.
QByteArray WaitForLine(QProcess &program, QByteArray &output, const QByteArray &prefix);
