// The program without windows as a service runs it: a child process over
// the simulated router, ended by SIGTERM.
#include "support/raw_http_client.h"
#include "support/temp_data_dir.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <csignal>

namespace {

const QString Program = QStringLiteral(LINEWARDEN_PROGRAM);

TEST(Headless, WithoutASettingsFileItSaysWhatToDoAndEndsWithStatus2)
{
    TempDataDir data;
    QProcess program;
    program.start(Program, { QStringLiteral("--headless"), QStringLiteral("--data-dir"), data.path() });
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 2);
    // One line of ours (the toolkit may add its own notes).
    const QString err = QString::fromUtf8(program.readAllStandardError());
    const QStringList ours = err.split(u'\n').filter(QRegularExpression(QStringLiteral("^linewarden: ")));
    ASSERT_EQ(ours.size(), 1) << err.toStdString();
    EXPECT_TRUE(ours.first().contains(u"setup wizard")) << err.toStdString();
    EXPECT_TRUE(ours.first().contains(u"--demo")) << err.toStdString();
    EXPECT_TRUE(program.readAllStandardOutput().isEmpty());
    EXPECT_TRUE(QDir(data.path()).isEmpty());
}

// Reads both channels until pred holds, the program ends or time runs out.
template<typename Pred> bool ReadUntil(QProcess &program, QByteArray &out, QByteArray &err, Pred pred)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!pred() && program.state() == QProcess::Running && elapsed.elapsed() < 150000) {
        program.waitForReadyRead(1000);
        out += program.readAllStandardOutput();
        err += program.readAllStandardError();
    }
    return pred();
}

TEST(Headless, DemoSamplesLogsServesAndSavesOnSigterm)
{
    TempDataDir data;
    // The web server with /metrics on a free port of 127.0.0.1; the demo
    // adds its router to these settings.
    ASSERT_TRUE(data.writeFile(QStringLiteral("linewarden.ini"),
        "[WebServer]\r\nWeb=1\r\nAddress=127.0.0.1\r\nPort=0\r\nMetrics=1\r\n"));
    QProcess program;
    program.start(Program,
        { QStringLiteral("--headless"), QStringLiteral("--demo"), QStringLiteral("A"),
            QStringLiteral("--sample"), QStringLiteral("1"), QStringLiteral("--data-dir"), data.path() });
    ASSERT_TRUE(program.waitForStarted(10000));

    QByteArray out;
    QByteArray err;
    const bool sampled = ReadUntil(program, out, err, [&out] { return out.count('\n') >= 2; });
    ASSERT_TRUE(sampled) << "stdout:\n" << out.toStdString() << "stderr:\n" << err.toStdString();
    const QRegularExpression line(QStringLiteral(
        R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d noise margin down \d+\.\d dB up \d+\.\d dB, sync down \d+ kbps up \d+ kbps$)"));
    for (const QByteArray &text : out.split('\n').mid(0, 2))
        EXPECT_TRUE(line.match(QString::fromUtf8(text)).hasMatch()) << text.toStdString();

    const QRegularExpressionMatch listening
        = QRegularExpression(QStringLiteral("listens on 127\\.0\\.0\\.1, port (\\d+)"))
              .match(QString::fromUtf8(err));
    ASSERT_TRUE(listening.hasMatch()) << err.toStdString();
    const auto port = listening.captured(1).toUShort();
    const RawHttpReply image = RawHttpClient::get(port, "/noise.jpg");
    EXPECT_EQ(image.status, 200);
    EXPECT_TRUE(image.body.startsWith("\xFF\xD8"));
    const RawHttpReply metrics = RawHttpClient::get(port, "/metrics");
    EXPECT_EQ(metrics.status, 200);
    EXPECT_TRUE(metrics.body.contains("linewarden_noise_margin_db{")) << metrics.text().toStdString();
    EXPECT_GE(data.readFile(QStringLiteral("log.txt")).count('\n'), 3);
    // Only the close writes the learned statistics page to the file.
    ASSERT_FALSE(data.readFile(QStringLiteral("linewarden.ini")).contains("ActualUrl=http"));

    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    const QByteArray settings = data.readFile(QStringLiteral("linewarden.ini"));
    EXPECT_TRUE(settings.contains("ActualUrl=http://127.0.0.1:")) << settings.toStdString();
    EXPECT_TRUE(settings.contains("Web=1"));
    EXPECT_TRUE(settings.contains("Port=0"));
    // No screen here: a window placed by this file opens where every screen shows it.
    EXPECT_TRUE(settings.contains("\r\nLeft=0\r\n")) << settings.toStdString();
    EXPECT_TRUE(settings.contains("\r\nTop=0\r\n"));
    // Nothing half written is left behind: no temporary file of a save.
    QDirIterator files(data.path(), QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString name = QFileInfo(files.next()).fileName();
        EXPECT_FALSE(name.contains(QRegularExpression(QStringLiteral("\\.(ini|jpg)\\."))))
            << name.toStdString();
    }
}

// The browser engine's start-up dump and its notes on the sandbox and the
// missing GPU stay off standard error, unless the user's own logging rules
// ask for them.
TEST(Headless, EngineStartUpLinesStayOffStandardErrorUnlessAskedFor)
{
    const char *engineLines[]
        = { "GL Type:", "Init Parameters:", "No suitable graphics backend", "WebEngineContext used before" };
    for (const bool userRules : { false, true }) {
        SCOPED_TRACE(userRules ? "QT_LOGGING_RULES set" : "default");
        TempDataDir data;
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_LOGGING_RULES"));
        if (userRules)
            environment.insert(
                QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("qt.webenginecontext.info=true"));
        program.setProcessEnvironment(environment);
        program.start(Program,
            { QStringLiteral("--headless"), QStringLiteral("--demo"), QStringLiteral("B"),
                QStringLiteral("--sample"), QStringLiteral("1"), QStringLiteral("--data-dir"), data.path() });
        ASSERT_TRUE(program.waitForStarted(10000));
        QByteArray out;
        QByteArray err;
        ASSERT_TRUE(ReadUntil(program, out, err, [&out] { return out.contains('\n'); })) << err.toStdString();
        ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
        ASSERT_TRUE(program.waitForFinished(30000));
        err += program.readAllStandardError();
        if (userRules) {
            EXPECT_TRUE(err.contains("Init Parameters:")) << err.toStdString();
            continue;
        }
        for (const char *line : engineLines)
            EXPECT_FALSE(err.contains(line)) << line << "\n" << err.toStdString();
    }
}

} // namespace
