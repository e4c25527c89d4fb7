// The real program, started as a user would, ended from outside: SIGTERM,
// SIGINT and SIGHUP take the normal close path without asking, save the
// settings, delete the user guide it wrote out at start and end the program,
// whether the window shows, hides in the tray or waits on "Confirm: Close
// Linewarden?".
#include "support/demo_program.h"
#include "support/temp_data_dir.h"

#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

#include <csignal>

namespace {

struct Ending {
    const char *name;
    int signalNumber;
    const char *act; // LINEWARDEN_DEMO_ACT
    const char *actLine; // what the program prints once it acted
    QByteArray settings; // written before the start
};

TEST(DesktopTermination, EachTerminationSignalSavesTheSettingsAndEndsTheProgram)
{
    const QByteArray inTray = "[LW-BT]\r\nMinimize=1\r\nPrompt=1\r\n";
    const Ending endings[] = {
        { "SIGTERM, window showing", SIGTERM, "", nullptr, {} },
        { "SIGTERM, hidden in the tray", SIGTERM, "minimize", "act minimize hidden", inTray },
        { "SIGINT, hidden in the tray", SIGINT, "minimize", "act minimize hidden", inTray },
        { "SIGHUP, hidden in the tray", SIGHUP, "minimize", "act minimize hidden", inTray },
        { "SIGTERM, close question open", SIGTERM, "close", "act close", "[LW-BT]\r\nPrompt=1\r\n" },
    };
    for (const Ending &ending : endings) {
        SCOPED_TRACE(ending.name);
        TempDataDir data;
        if (!ending.settings.isEmpty()) {
            ASSERT_TRUE(data.writeFile(QStringLiteral("linewarden.ini"), ending.settings));
        }
        QProcess program;
        StartDemoProgram(
            program, QStringLiteral(LINEWARDEN_PROGRAM), data.path(), QString::fromLatin1(ending.act));
        ASSERT_TRUE(program.waitForStarted(10000));

        // Wait for a sample: the program has learned the statistics page,
        // which only the save at close writes to the file.
        QByteArray output;
        ASSERT_FALSE(WaitForLine(program, output, "samples 1 ").isEmpty()) << output.toStdString();
        if (ending.actLine) {
            ASSERT_EQ(WaitForLine(program, output, "act "), ending.actLine) << output.toStdString();
        }
        ASSERT_FALSE(data.readFile(QStringLiteral("linewarden.ini")).contains("ActualUrl=http"));
        // The user guide lies beside the settings file while the program runs.
        EXPECT_TRUE(data.readFile(QStringLiteral("linewarden.html")).startsWith("<!DOCTYPE html>"));

        ::kill(static_cast<pid_t>(program.processId()), ending.signalNumber);
        if (!program.waitForFinished(30000)) {
            ADD_FAILURE() << "still running after the signal";
            continue;
        }
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
        const QByteArray settings = data.readFile(QStringLiteral("linewarden.ini"));
        EXPECT_TRUE(settings.contains("ActualUrl=http://127.0.0.1:")) << settings.toStdString();
        EXPECT_TRUE(settings.contains("[LW-Form]"));
        EXPECT_FALSE(QFileInfo::exists(data.filePath(QStringLiteral("linewarden.html"))));
    }
}

} // namespace
