// The real program, left on its "Home Hub" tab at a size of the user's own,
// ended from outside after three samples with "Capture graph images when
// Linewarden closes" on: every graph is written at the size it has on its
// tab in a window of that size, header band and all.
#include "graphs/chart.h"
#include "graphs/graph_panels.h"
#include "outputs/jpeg_codec.h"
#include "support/demo_program.h"
#include "support/main_window_fixture.h"
#include "support/qt_printers.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <csignal>

namespace {

class CaptureOnTermination : public MainWindowFixture {
protected:
    // The size the Noise Margin graph has on screen in a window of the given
    // size, as this process's own window lays it out.
    QSize graphOnScreen(const QSize &windowSize)
    {
        Settings settings = defaults();
        settings.setInteger(SettingKey::Width, windowSize.width());
        settings.setInteger(SettingKey::Height, windowSize.height());
        open(settings);
        window->show();
        window->PageControl1->setCurrentIndex(1);
        QCoreApplication::processEvents();
        EXPECT_EQ(window->size(), windowSize);
        return window->graphs().chartOfPage(1)->size();
    }

    // Data lines of the sample log: one per plotted sample.
    int loggedSamples() const
    {
        const QList<QByteArray> lines = child.readFile(QStringLiteral("log.txt")).split('\n');
        return static_cast<int>(std::count_if(lines.begin(), lines.end(),
            [](const QByteArray &line) { return line.count(',') > 3 && !line.startsWith("Date"); }));
    }

    TempDataDir child;
};

TEST_F(CaptureOnTermination, GraphsAreCapturedAtTheirTabsSizeNotAsPagesNeverShown)
{
    ASSERT_TRUE(child.writeFile(QStringLiteral("linewarden.ini"),
        "[LW-BT]\r\nPage=0\r\n[Capture]\r\nOnClose=1\r\ncbCapture=0\r\nLostSync=0\r\n"
        "[LW-Form]\r\nWidth=1010\r\nHeight=770\r\n"));
    QProcess program;
    StartDemoProgram(program, QStringLiteral(LINEWARDEN_PROGRAM), child.path());
    ASSERT_TRUE(program.waitForStarted(10000));

    // More than two samples plotted: the log holds a line for each.
    QByteArray output;
    while (loggedSamples() < 3 && program.state() == QProcess::Running)
        if (program.waitForReadyRead(500))
            output += program.readAll();
    ASSERT_GE(loggedSamples(), 3) << output.toStdString();
    const QDir captures(child.filePath(QStringLiteral("Capture")));
    ASSERT_TRUE(captures.entryList(QDir::Files).isEmpty());

    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 0);

    const Settings saved = [this] {
        Settings settings = defaults();
        settings.Load(child.filePath(QStringLiteral("linewarden.ini")));
        return settings;
    }();
    const QSize windowSize(saved.integer(SettingKey::Width), saved.integer(SettingKey::Height));
    EXPECT_EQ(windowSize, QSize(1010, 770));
    const QSize expected = graphOnScreen(windowSize);
    ASSERT_GT(expected.width(), 900);

    const QStringList files = captures.entryList({ QStringLiteral("*.jpg") }, QDir::Files);
    ASSERT_TRUE(files.filter(QStringLiteral("Wardn-NoiseMargin-")).size() == 1)
        << files.join(u' ').toStdString();
    ASSERT_TRUE(files.filter(QStringLiteral("Wardn-ConnectionSpeed-")).size() == 1);
    for (const QString &file : files) {
        const QImage picture = JpegCodec::decode(child.readFile(QStringLiteral("Capture/") + file));
        EXPECT_EQ(picture.size(), expected) << file.toStdString();
        EXPECT_TRUE(DarkIn(picture, 20, 60)) << file.toStdString();
        EXPECT_TRUE(DarkIn(picture, 450, 490)) << file.toStdString();
    }
}

} // namespace
