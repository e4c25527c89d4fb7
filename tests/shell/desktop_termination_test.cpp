// The real program, started as a user would, ended from outside: SIGTERM
// takes the normal close path without asking, saves the settings and
// deletes the user guide it wrote out at start.
#include "support/temp_data_dir.h"

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <csignal>

namespace {

TEST(DesktopTermination, TerminationSignalSavesTheSettingsAndEndsCleanly)
{
    TempDataDir data;
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LINEWARDEN_DEMO_REPORT"), QStringLiteral("1"));
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(QStringLiteral(LINEWARDEN_PROGRAM),
        { QStringLiteral("--demo"), QStringLiteral("A"), QStringLiteral("--sample"), QStringLiteral("1"),
            QStringLiteral("--data-dir"), data.path() });
    ASSERT_TRUE(program.waitForStarted(10000));

    // Wait for a sample: the program has learned the statistics page, which
    // only the save at close writes to the file.
    QByteArray output;
    while (!output.contains("samples 1 ") && program.state() == QProcess::Running)
        if (program.waitForReadyRead(60000))
            output += program.readAll();
    ASSERT_TRUE(output.contains("samples 1 ")) << output.toStdString();
    ASSERT_FALSE(data.readFile(QStringLiteral("linewarden.ini")).contains("ActualUrl=http"));
    // The user guide lies beside the settings file while the program runs.
    EXPECT_TRUE(data.readFile(QStringLiteral("linewarden.html")).startsWith("<!DOCTYPE html>"));

    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    const QByteArray settings = data.readFile(QStringLiteral("linewarden.ini"));
    EXPECT_TRUE(settings.contains("ActualUrl=http://127.0.0.1:")) << settings.toStdString();
    EXPECT_TRUE(settings.contains("[LW-Form]"));
    EXPECT_FALSE(QFileInfo::exists(data.filePath(QStringLiteral("linewarden.html"))));
}

} // namespace
