#include "base/clock.h"
#include "shell/commands/command_line.h"
#include "shell/commands/export_history_command.h"
#include "shell/commands/read_page_command.h"
#include "shell/commands/simulate_hub_command.h"
#include "shell/program/data_folder.h"
#include "shell/program/desktop_program.h"
#include "shell/program/engine_start_up.h"
#include "shell/program/headless_program.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace {

QStringList ArgumentsAfterProgram(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

} // namespace

int main(int argc, char **argv)
{
    QTextStream out(stdout);
    QTextStream err(stderr);

    QString error;
    const auto commandLine = ParseCommandLine(ArgumentsAfterProgram(argc, argv), error);
    if (!commandLine) {
        err << "linewarden: " << error << Qt::endl;
        return 2;
    }

    switch (commandLine->mode) {
    case CommandLine::Mode::Help:
        out << UsageText();
        return 0;
    case CommandLine::Mode::ReadPage: {
        const QCoreApplication app(argc, argv);
        return RunReadPage(commandLine->readPage, Clock::system(), out, err);
    }
    case CommandLine::Mode::ExportHistory: {
        const QCoreApplication app(argc, argv);
        // The per-user data folder is named after the application, as the
        // desktop program and the mode without windows name it.
        QCoreApplication::setApplicationName(QStringLiteral("Linewarden"));
        const DataFolder folder = DataFolder::Resolve(DataFolder::CurrentInputs(commandLine->dataDir));
        return RunExportHistory(commandLine->exportHistory, folder.path(), err);
    }
    case CommandLine::Mode::Desktop:
    case CommandLine::Mode::Demo: {
        PrepareBrowserEngine(commandLine->headless);
        QApplication app(argc, argv);
        QApplication::setApplicationName(QStringLiteral("Linewarden"));
        if (commandLine->headless)
            return RunHeadless(*commandLine, out, err);
        return commandLine->mode == CommandLine::Mode::Demo ? RunDemo(*commandLine, err)
                                                            : RunDesktop(*commandLine, err);
    }
    case CommandLine::Mode::SimulateHub: {
        const QCoreApplication app(argc, argv);
        return RunSimulateHub(*commandLine);
    }
    }
    return 2;
}
