#include "shell/desktop_program.h"

#include "sampling/webengine_browser_view.h"
#include "shell/clock.h"
#include "shell/data_folder.h"
#include "shell/main_window.h"

#include <QApplication>
#include <QLayout>

namespace
{

std::unique_ptr<BrowserView> MakeWebEngineView(QWidget *host)
{
    auto view = std::make_unique<WebEngineBrowserView>(host);
    if (host->layout())
        host->layout()->addWidget(view->widget());
    return view;
}

int RunMainWindow(const DataFolder &folder)
{
    folder.ensureExists();
    MainWindowContext context;
    context.clock = &Clock::system();
    context.dataFolder = folder.path();
    context.settingsPath = folder.settingsFile();
    context.makeBrowser = &MakeWebEngineView;
    TForm1 window(context);
    window.show();
    return QApplication::exec();
}

} // namespace

int RunDesktop(const CommandLine &commandLine, QTextStream &err)
{
    Q_UNUSED(err);
    return RunMainWindow(DataFolder::Resolve(DataFolder::CurrentInputs(commandLine.dataDir)));
}

int RunDemo(const CommandLine &commandLine, QTextStream &err)
{
    Q_UNUSED(commandLine);
    err << "linewarden: --demo needs the simulated router, which is not built yet" << Qt::endl;
    return 2;
}
