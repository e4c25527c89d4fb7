#include "support/promtool.h"

#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

QString FindPromtool()
{
    const QString promtool = QStandardPaths::findExecutable(QStringLiteral("promtool"));
    if (promtool.isEmpty() && qEnvironmentVariableIsSet("CI"))
        ADD_FAILURE() << kNoPromtool;
    return promtool;
}

PromtoolRun RunPromtool(const QString &promtool, const QStringList &arguments, const QByteArray &input)
{
    PromtoolRun run;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(promtool, arguments);
    if (!process.waitForStarted()) {
        run.output = process.errorString().toUtf8();
        return run;
    }
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        run.output = QByteArrayLiteral("promtool did not finish in 60 s\n");
        return run;
    }
    run.output = process.readAll();
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return run;
}
