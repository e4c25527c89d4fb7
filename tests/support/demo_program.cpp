#include "support/demo_program.h"

#include <QProcessEnvironment>

void StartDemoProgram(
    QProcess &program, const QString &executable, const QString &dataDir, const QString &act)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LINEWARDEN_DEMO_REPORT"), QStringLiteral("1"));
    if (!act.isEmpty())
        environment.insert(QStringLiteral("LINEWARDEN_DEMO_ACT"), act);
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(executable,
        { QStringLiteral("--demo"), QStringLiteral("A"), QStringLiteral("--sample"), QStringLiteral("1"),
            QStringLiteral("--data-dir"), dataDir });
}
