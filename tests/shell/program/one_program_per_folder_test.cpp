// Two real programs on one data folder: a second desktop start brings the
// first one's window back from the tray and ends with status 0; any other
// second start names the holder and ends with status 3; a lock left by a
// program killed with SIGKILL does not keep the next start out.
#include "support/demo_program.h"
#include "support/qt_printers.h"
#include "support/temp_data_dir.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <csignal>

namespace {

const QString Program = QStringLiteral(LINEWARDEN_PROGRAM);

struct Finished {
    int status = -1;
    QStringList ours; // its lines starting "linewarden: "
};

// A second start on the folder, run to its end.
Finished StartAgain(const QStringList &arguments)
{
    QProcess second;
    second.start(Program, arguments);
    Finished finished;
    if (!second.waitForFinished(60000)) {
        second.kill();
        second.waitForFinished();
        return finished;
    }
    finished.status = second.exitStatus() == QProcess::NormalExit ? second.exitCode() : -1;
    finished.ours = QString::fromUtf8(second.readAllStandardError())
                        .split(u'\n')
                        .filter(QRegularExpression(QStringLiteral("^linewarden: ")));
    return finished;
}

QStringList Desktop(const QString &folder)
{
    return { QStringLiteral("--demo"), QStringLiteral("A"), QStringLiteral("--data-dir"), folder };
}

QStringList Headless(const QString &folder)
{
    return { QStringLiteral("--headless"), QStringLiteral("--demo"), QStringLiteral("A"),
        QStringLiteral("--sample"), QStringLiteral("1"), QStringLiteral("--data-dir"), folder };
}

QString InUse(const TempDataDir &data, const QString &holder, const QProcess &program)
{
    return QStringLiteral("linewarden: the data folder %1 is in use by %2 (process %3)")
        .arg(data.path(), holder)
        .arg(program.processId());
}

bool EndWithSigterm(QProcess &program)
{
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    return program.waitForFinished(30000) && program.exitStatus() == QProcess::NormalExit
        && program.exitCode() == 0;
}

TEST(OneProgramPerFolder, SecondDesktopStartBringsTheWindowBackFromTheTray)
{
    TempDataDir data;
    ASSERT_TRUE(data.writeFile(QStringLiteral("linewarden.ini"), "[LW-BT]\r\nMinimize=1\r\n"));
    QProcess first;
    StartDemoProgram(first, Program, data.path(), QStringLiteral("minimize"));
    ASSERT_TRUE(first.waitForStarted(10000));
    QByteArray output;
    ASSERT_EQ(WaitForLine(first, output, "act "), "act minimize hidden") << output.toStdString();
    const QByteArray settings = data.readFile(QStringLiteral("linewarden.ini"));

    const Finished again = StartAgain(Desktop(data.path()));
    EXPECT_EQ(again.status, 0);
    EXPECT_TRUE(again.ours.isEmpty()) << again.ours.join(u'\n').toStdString();
    EXPECT_EQ(WaitForLine(first, output, "brought to the front"), "brought to the front visible")
        << output.toStdString();

    // Without windows beside it: refused, naming the desktop program.
    const Finished headless = StartAgain(Headless(data.path()));
    EXPECT_EQ(headless.status, 3);
    EXPECT_EQ(
        headless.ours, QStringList { InUse(data, QStringLiteral("the linewarden desktop program"), first) });

    // The first program's files are as it left them, and it still runs.
    EXPECT_EQ(data.readFile(QStringLiteral("linewarden.ini")), settings);
    EXPECT_TRUE(data.readFile(QStringLiteral("linewarden.html")).startsWith("<!DOCTYPE html>"));
    EXPECT_TRUE(QFileInfo::exists(data.filePath(QStringLiteral("linewarden.lock"))));
    ASSERT_EQ(first.state(), QProcess::Running);
    EXPECT_TRUE(EndWithSigterm(first));
    EXPECT_FALSE(QFileInfo::exists(data.filePath(QStringLiteral("linewarden.lock"))));
}

TEST(OneProgramPerFolder, HeadlessHolderIsNamedAndAKilledOneIsTakenOver)
{
    TempDataDir data;
    QProcess first;
    first.setProcessChannelMode(QProcess::MergedChannels);
    first.start(Program, Headless(data.path()));
    ASSERT_TRUE(first.waitForStarted(10000));
    QByteArray output;
    ASSERT_FALSE(WaitForLine(first, output, "linewarden: demo without windows").isEmpty())
        << output.toStdString();

    const struct {
        const char *name;
        QStringList arguments;
    } seconds[] = {
        { "desktop start", Desktop(data.path()) },
        { "start without windows", Headless(data.path()) },
    };
    for (const auto &second : seconds) {
        SCOPED_TRACE(second.name);
        const Finished again = StartAgain(second.arguments);
        EXPECT_EQ(again.status, 3);
        EXPECT_EQ(again.ours, QStringList { InUse(data, QStringLiteral("linewarden --headless"), first) });
    }

    // Killed, the holder leaves its lock behind; the next start takes it.
    ::kill(static_cast<pid_t>(first.processId()), SIGKILL);
    ASSERT_TRUE(first.waitForFinished(30000));
    ASSERT_TRUE(QFileInfo::exists(data.filePath(QStringLiteral("linewarden.lock"))));
    QProcess next;
    next.start(Program, Headless(data.path()));
    ASSERT_TRUE(next.waitForStarted(10000));
    QByteArray sample;
    ASSERT_FALSE(WaitForLine(next, sample, " noise margin down ").isEmpty()) << sample.toStdString();
    EXPECT_TRUE(EndWithSigterm(next));
    EXPECT_FALSE(QFileInfo::exists(data.filePath(QStringLiteral("linewarden.lock"))));
}

} // namespace
