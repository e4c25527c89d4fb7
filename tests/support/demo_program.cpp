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

QByteArray WaitForLine(QProcess &program, QByteArray &output, const QByteArray &prefix)
{
    const auto line = [&]() -> QByteArray {
        const qsizetype start = output.indexOf(prefix);
        const qsizetype end = start < 0 ? -1 : output.indexOf('\n', start);
        return end < 0 ? QByteArray() : output.mid(start, end - start);
    };
    while (line().isEmpty() && program.state() == QProcess::Running) {
        if (!program.waitForReadyRead(60000))
            break;
        output += program.readAll();
    }
    return line();
}
