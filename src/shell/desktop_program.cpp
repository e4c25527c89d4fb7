#include "shell/desktop_program.h"

#include "sampling/webengine_browser_view.h"
#include "shell/clock.h"
#include "shell/main_window.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLayout>
#include <QStandardPaths>

namespace
{

bool WritableFolder(const QString &path)
{
    const QFileInfo info(path);
    return info.isDir() && info.isWritable();
}

// The folder that stands in for the program folder.
QString DataFolder(const CommandLine &commandLine)
{
    if (!commandLine.dataDir.isEmpty())
        return commandLine.dataDir;
    const QString home = qEnvironmentVariable("LINEWARDEN_HOME");
    if (!home.isEmpty())
        return home;
    const QString programFolder = QCoreApplication::applicationDirPath();
    if (WritableFolder(programFolder))
        return programFolder;
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString SettingsPath(const QString &folder)
{
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return QDir(folder).filePath((program.isEmpty() ? QStringLiteral("linewarden") : program)
                                 + QStringLiteral(".ini"));
}

std::unique_ptr<BrowserView> MakeWebEngineView(QWidget *host)
{
    auto view = std::make_unique<WebEngineBrowserView>(host);
    if (host->layout())
        host->layout()->addWidget(view->widget());
    return view;
}

int RunMainWindow(const QString &folder)
{
    QDir().mkpath(folder);
    MainWindowContext context;
    context.clock = &Clock::system();
    context.dataFolder = folder;
    context.settingsPath = SettingsPath(folder);
    context.makeBrowser = &MakeWebEngineView;
    TForm1 window(context);
    window.show();
    return QApplication::exec();
}

} // namespace

int RunDesktop(const CommandLine &commandLine, QTextStream &err)
{
    Q_UNUSED(err);
    return RunMainWindow(DataFolder(commandLine));
}

int RunDemo(const CommandLine &commandLine, QTextStream &err)
{
    Q_UNUSED(commandLine);
    err << "linewarden: --demo needs the simulated router, which is not built yet" << Qt::endl;
    return 2;
}
